// MapLayer and MapCell: the one grid type for map layers, brushes, the palette and undo copies.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// The largest layer the editor accepts, in cells (4096 x 4096), and the most map layers it
// works with.
constexpr long long kMaxLayerCells = 16777216;
constexpr int kMaxMapLayers = 9;

struct MapCell {
    uint8_t highlight = 0;      // shaded by the view for one frame, then cleared
    SDL_Rect rect{0, 0, 0, 0};  // pixel rectangle relative to the layer's top-left corner
    uint16_t tile = 0;          // below tileCount: an image; from tileCount up: a numbered marker
};

struct MapLayer {
    int entryCount = 0;  // palette entries; the tile window re-flows this many cells
    std::string name;
    int number = -1;  // 1-based position of a map layer; -1 for palette, brushes, fresh layers
    int cellWidth = 16, cellHeight = 16;  // pixels
    int width = 0, height = 0;            // cells
    int offsetX = 0, offsetY = 0;         // scroll position; for an undo copy, where it was taken
    uint8_t visible = 1;
    uint8_t checkerBackground = 0;
    std::vector<MapCell> cells;  // row-major, width * height

    int cellCount() const { return static_cast<int>(cells.size()); }
};

// Sets every cell's rectangle from its position and the cell size, and its tile to a running
// value that starts at `start` and grows by `step` per cell (kept to its low 16 bits).
void layoutCells(MapLayer& layer, int step, uint16_t start);
