// Noting, settling and restoring overwritten cells.
#include "edit/changed_cells.h"

#include <algorithm>

size_t ChangedCells::bytes() const {
    return runStart.capacity() * sizeof(uint32_t) + runLength.capacity() * sizeof(uint32_t) +
           oldTiles.capacity() * sizeof(uint16_t);
}

void ChangedCells::note(const MapLayer& layer, size_t start, size_t count) {
    if (count == 0) return;
    const bool continuesLastRun =
        !runStart.empty() && runStart.back() + static_cast<size_t>(runLength.back()) == start;
    if (continuesLastRun) {
        runLength.back() += static_cast<uint32_t>(count);
    } else {
        runStart.push_back(static_cast<uint32_t>(start));
        runLength.push_back(static_cast<uint32_t>(count));
    }
    const uint16_t* from = layer.tiles.data() + start;
    oldTiles.insert(oldTiles.end(), from, from + count);
}

void keepChangedOnly(ChangedCells& cells, const MapLayer& layer) {
    // One bit a cell of the layer says whether the cell was met already: a fill may note a cell
    // twice, and the first note holds the tile to go back to.
    std::vector<bool> seen(layer.tiles.size());
    ChangedCells kept;
    size_t tileAt = 0;
    for (size_t run = 0; run < cells.runStart.size(); ++run) {
        for (uint32_t i = 0; i < cells.runLength[run]; ++i, ++tileAt) {
            const size_t index = static_cast<size_t>(cells.runStart[run]) + i;
            if (index >= seen.size() || seen[index]) continue;
            seen[index] = true;
            const uint16_t old = cells.oldTiles[tileAt];
            if (layer.tiles[index] == old) continue;
            if (!kept.runStart.empty() &&
                kept.runStart.back() + static_cast<size_t>(kept.runLength.back()) == index) {
                ++kept.runLength.back();
            } else {
                kept.runStart.push_back(static_cast<uint32_t>(index));
                kept.runLength.push_back(1);
            }
            kept.oldTiles.push_back(old);
        }
    }
    kept.runStart.shrink_to_fit();
    kept.runLength.shrink_to_fit();
    kept.oldTiles.shrink_to_fit();
    cells = std::move(kept);
}

void noteDifferences(ChangedCells& cells, const std::vector<uint16_t>& before,
                     const MapLayer& layer) {
    const size_t n = std::min(before.size(), layer.tiles.size());
    size_t i = 0;
    while (i < n) {
        if (before[i] == layer.tiles[i]) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < n && before[i] != layer.tiles[i]) ++i;
        cells.runStart.push_back(static_cast<uint32_t>(start));
        cells.runLength.push_back(static_cast<uint32_t>(i - start));
        cells.oldTiles.insert(cells.oldTiles.end(), before.begin() + static_cast<long>(start),
                              before.begin() + static_cast<long>(i));
    }
}

void restoreCells(const ChangedCells& cells, MapLayer& layer) {
    size_t end = cells.oldTiles.size();
    for (size_t run = cells.runStart.size(); run-- > 0;) {
        const size_t length = cells.runLength[run];
        end -= length;
        const size_t start = cells.runStart[run];
        for (size_t i = length; i-- > 0;) {
            if (start + i < layer.tiles.size()) layer.tiles[start + i] = cells.oldTiles[end + i];
        }
    }
}

bool holdsTile(const ChangedCells& cells, uint16_t tile) {
    return std::find(cells.oldTiles.begin(), cells.oldTiles.end(), tile) != cells.oldTiles.end();
}
