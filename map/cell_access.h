// The cell primitives every tool shares: reading a cell, writing a tile, copying a block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "map/map_layer.h"

// A rectangle of cells: its corner and its size, in plain ints, so that every position of the
// largest layer (16,777,216 cells, any shape) can be named.
struct CellBlock {
    int column = 0;
    int row = 0;
    int width = 0;
    int height = 0;
};

// The tile of the cell at the linear index row * width + column; the first cell's when that
// index is outside the layer, so a column past the right edge reads on into the next row. 0 for
// a layer without cells.
uint16_t tileAt(const MapLayer& layer, int column, int row);

// Writes one tile; positions left of or above the layer, or past its last cell, are ignored.
void setTile(MapLayer& layer, int column, int row, uint16_t tile);

// Copies the tiles of `block` of `source` into `target` at `at` (centred on it when asked, which
// moves `at` to the block's corner). The target is clipped to its grid; the source is read
// through the linear index with the first cell as the fallback.
void copyTiles(const MapLayer& source, CellBlock block, MapLayer& target, CellBlock& at,
               bool centred);

// The highest tile number of `count` tiles; 0 for none.
uint16_t highestTile(const uint16_t* tiles, size_t count);
// The highest tile number the layer holds; 0 for a layer without cells.
uint16_t highestTile(const MapLayer& layer);
