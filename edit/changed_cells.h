// ChangedCells: the tiles some cells of one layer held before they were overwritten, kept as
// runs of consecutive cells, so that what an undo step costs follows what it changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/map_layer.h"

struct ChangedCells {
    std::vector<uint32_t> runStart;   // index of each run's first cell in the layer
    std::vector<uint32_t> runLength;  // cells in each run
    std::vector<uint16_t> oldTiles;   // every run's tiles, run after run

    bool empty() const { return oldTiles.empty(); }
    size_t cellCount() const { return oldTiles.size(); }
    // What the record holds in memory.
    size_t bytes() const;

    // Notes the `count` cells from index `start` on with the tiles they hold now, before they
    // are overwritten. The cells must lie in the layer.
    void note(const MapLayer& layer, size_t start, size_t count);
};

// Keeps for a cell noted more than once only its first (oldest) tile, and drops the cells that
// hold that tile again: what is left is exactly what changed since the first note. Its cost
// follows the number of notes, not the size of the layer.
void keepChangedOnly(ChangedCells& cells, const MapLayer& layer);

// Puts the noted tiles back into the layer, the newest note first, so that a cell noted twice
// ends with its oldest tile. The cells were noted on a layer `notedWidth` cells wide: each goes
// back to its column and row, and cells beyond the layer now are passed over.
void restoreCells(const ChangedCells& cells, MapLayer& layer, int notedWidth);

// As restoreCells, and returns the tiles those cells held before, noted on the layer as it is:
// what puts them back again.
ChangedCells exchangeCells(const ChangedCells& cells, MapLayer& layer, int notedWidth);

// True when any of the noted old tiles is `tile`.
bool holdsTile(const ChangedCells& cells, uint16_t tile);
