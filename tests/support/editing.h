// Small helpers for tests that paint: screen positions of cells and ready-made brushes.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/test_editor.h"

// The screen point inside palette cell (column, row) with the bundled 256-pixel sheets.
inline int paletteX(int column) {
    return 544 + 16 * column + 3;
}
inline int paletteY(int row) {
    return 16 + 16 * row + 3;
}
// The screen point inside cell (column, row) of the map, unscrolled.
inline int mapX(int column) {
    return 16 * column + 3;
}
inline int mapY(int row) {
    return 16 + 16 * row + 3;
}

// Replaces the brush of a side with a width x height brush holding `tiles` row by row.
inline MapLayer* makeBrush(Editor& e, const std::string& side, int width, int height,
                           std::initializer_list<int> tiles) {
    const std::string name = "Brush" + side;
    eraseLayer(e.layers, name, false);
    MapLayer* brush = createLayer(e.layers, width, height, name, 0, 0);
    size_t i = 0;
    for (int tile : tiles) brush->tiles[i++] = static_cast<uint16_t>(tile);
    return brush;
}

// The tiles of a layer, row by row.
inline std::vector<int> tilesOf(const MapLayer& layer) {
    std::vector<int> tiles;
    for (uint16_t tile : layer.tiles) tiles.push_back(tile);
    return tiles;
}
