// Keeping a layer's sampled cells up to date.
#include "map/sampled_tiles.h"

#include <algorithm>

namespace {
// The first multiple of `stride` at or after `cell`.
int firstSample(int cell, int stride) {
    return (std::max(cell, 0) + stride - 1) / stride;
}
}  // namespace

int SampledTiles::strideFor(long long cellsAPixel) {
    int stride = 0;
    for (int s : kStrides) {
        if (cellsAPixel >= s) stride = s;
    }
    return stride;
}

void SampledTiles::sample(const MapLayer& layer, SampleGrid& grid,
                          const ChangedBlock& block) const {
    const int s = grid.stride;
    const int left = firstSample(block.left, s), right = firstSample(block.right, s);
    const int top = firstSample(block.top, s), bottom = firstSample(block.bottom, s);
    for (int j = top; j < std::min(bottom, grid.rows); ++j) {
        const uint16_t* from = &layer.tiles[static_cast<size_t>(j) * s * layer.width];
        uint16_t* to = &grid.cells[static_cast<size_t>(j) * grid.columns];
        for (int i = left; i < std::min(right, grid.columns); ++i) to[i] = from[i * s];
    }
}

const SampleGrid& SampledTiles::gridOf(MapLayer& layer, int stride) {
    const ChangedBlock changed = layer.unseenBySamples;
    layer.unseenBySamples = ChangedBlock{};
    if (layer.id != layerId_ || layer.width != width_ || layer.height != height_) {
        layerId_ = layer.id;
        width_ = layer.width;
        height_ = layer.height;
        for (SampleGrid& grid : grids_) grid = SampleGrid{};
    } else if (!changed.empty()) {
        for (SampleGrid& grid : grids_) {
            if (grid.stride != 0) sample(layer, grid, changed);
        }
    }
    SampleGrid& grid = grids_[stride == kStrides[0] ? 0 : 1];
    if (grid.stride == 0 && !layer.tiles.empty()) {
        grid.stride = stride;
        grid.columns = firstSample(layer.width, stride);
        grid.rows = firstSample(layer.height, stride);
        grid.cells.assign(static_cast<size_t>(grid.columns) * grid.rows, 0);
        ChangedBlock whole;
        whole.add(0, 0, layer.width, layer.height);
        sample(layer, grid, whole);
    }
    return grid;
}

size_t SampledTiles::bytes() const {
    size_t total = 0;
    for (const SampleGrid& grid : grids_) total += grid.cells.capacity() * sizeof(uint16_t);
    return total;
}
