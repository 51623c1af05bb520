// Keeping a layer's marker cells up to date.
#include "map/marker_index.h"

#include <algorithm>

#include "map/marker_layout.h"

const std::vector<uint32_t>& MarkerIndex::markersOf(MapLayer& layer, int tileCount) {
    ChangedBlock changed = layer.unseenByMarkers;
    layer.unseenByMarkers = ChangedBlock{};
    touched_ = false;
    if (layer.id != layerId_ || layer.width != width_ || layer.height != height_ ||
        tileCount != tileCount_) {
        layerId_ = layer.id;
        width_ = layer.width;
        height_ = layer.height;
        tileCount_ = tileCount;
        touched_ = true;
        cells_.clear();
        changed = ChangedBlock{};
        changed.add(0, 0, layer.width, layer.height);
    }
    if (changed.empty() || layer.tiles.empty()) return cells_;
    const int left = std::max(changed.left, 0), right = std::min(changed.right, layer.width);
    const int top = std::max(changed.top, 0), bottom = std::min(changed.bottom, layer.height);
    const auto width = static_cast<uint32_t>(layer.width);
    // The rows of the block are read again; the markers outside it stay as they were.
    std::vector<uint32_t> kept;
    kept.reserve(cells_.size());
    const auto first = std::lower_bound(cells_.begin(), cells_.end(), top * width);
    const auto last = std::lower_bound(first, cells_.end(), bottom * width);
    kept.insert(kept.end(), cells_.begin(), first);
    auto before = first;
    for (int row = top; row < bottom; ++row) {
        const uint32_t rowStart = row * width;
        for (; before != last && *before < rowStart + left; ++before) kept.push_back(*before);
        for (int column = left; column < right; ++column) {
            if (isMarkerTile(layer.tiles[rowStart + column], tileCount)) {
                kept.push_back(rowStart + column);
                touched_ = true;
            }
        }
        while (before != last && *before < rowStart + right) {
            touched_ = true;
            ++before;
        }
        for (; before != last && *before < rowStart + width; ++before) kept.push_back(*before);
    }
    kept.insert(kept.end(), last, cells_.end());
    cells_ = std::move(kept);
    return cells_;
}
