// The flood fills behind Fill and Fill Random, and the block and border fills.
#pragma once

#include <cstdint>
#include <vector>

#include "app/editor.h"
#include "edit/changed_cells.h"

// Replaces the 4-connected region of `target` tiles around (column, row) with `tile`.
// A start outside the layer changes nothing. The fills note every cell they overwrite in `log`
// when one is given, before overwriting it.
void floodFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
               uint16_t target, uint16_t tile, ChangedCells* log = nullptr);

// Fills the region with the brush's tiles repeated from the layer's corner; with `reshuffle`
// the brush is shuffled before every cell. A 1 x 1 brush fills with its one tile.
void patternFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
                 uint16_t target, MapLayer& brush, bool reshuffle, ChangedCells* log = nullptr);

// True when a fill from (column, row) with this brush would change nothing.
bool fillChangesNothing(const MapLayer& layer, int column, int row, const MapLayer& brush);

void fillBlock(MapLayer& layer, CellBlock block, uint16_t tile);

// The outer ring of cells as blocks: top row, left column, right column, bottom row.
std::vector<CellBlock> edgeBlocks(const MapLayer& layer);
// Sets the outer ring of cells.
void fillEdge(MapLayer& layer, uint16_t tile);
