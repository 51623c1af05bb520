// Shared set-up of the map tool's tests: small tile sheets held in memory and generated maps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map/cell_access.h"
#include "map/layer_list.h"
#include "maptool/tile_sheets.h"

// Two sheets, 32 x 32 and 32 x 48 pixels: 4 + 6 tiles, so tile numbers from 10 up are markers.
// Every pixel of tile n is (n * 20, 255 - n * 20, 7, alpha) with alpha 255, except tile 1
// (see-through, alpha 0) and tile 3 (half covering, alpha 128).
inline TileSheets testSheets() {
    TileSheets sheets;
    const int heights[2] = {32, 48};
    int tile = 0;
    for (int s = 0; s < 2; ++s) {
        SheetPixels& sheet = sheets.sheets[s];
        sheet.path = s == 0 ? "/sheets/tiles.png" : "/sheets/base.png";
        sheet.width = 32;
        sheet.height = heights[s];
        sheet.rgba.resize(static_cast<size_t>(sheet.width) * sheet.height * 4);
        for (int ty = 0; ty < sheet.height / 16; ++ty) {
            for (int tx = 0; tx < 2; ++tx, ++tile) {
                const uint8_t alpha = tile == 1 ? 0 : tile == 3 ? 128 : 255;
                for (int y = 0; y < 16; ++y) {
                    for (int x = 0; x < 16; ++x) {
                        uint8_t* p = &sheet.rgba[((ty * 16 + y) * 32 + tx * 16 + x) * 4];
                        p[0] = static_cast<uint8_t>(tile * 20);
                        p[1] = static_cast<uint8_t>(255 - tile * 20);
                        p[2] = 7;
                        p[3] = alpha;
                    }
                }
            }
        }
    }
    cutTiles(sheets);
    return sheets;
}

// A layer holding `tiles` row by row.
inline MapLayer* addLayer(LayerList& layers, const std::string& name, int width, int height,
                          const std::vector<int>& tiles, int cellWidth = 16, int cellHeight = 16,
                          int scrollColumn = 0, int scrollRow = 0) {
    MapLayer* layer = createLayer(layers, width, height, name, 0, 0);
    layer->number = static_cast<int>(layers.size());
    layer->cellWidth = cellWidth;
    layer->cellHeight = cellHeight;
    layer->offsetX = scrollColumn;
    layer->offsetY = scrollRow;
    for (size_t i = 0; i < tiles.size() && width > 0; ++i) {
        setTile(*layer, static_cast<int>(i % width), static_cast<int>(i / width),
                static_cast<uint16_t>(tiles[i]));
    }
    return layer;
}
