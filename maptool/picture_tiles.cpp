// Tiles reduced once for a picture.
#include "maptool/picture_tiles.h"

#include <algorithm>

#include "map/tile_reduction.h"

PictureTiles::PictureTiles(const TileSheets& sheets, int level) {
    const int factor = 1 << -level;
    const int side = kTileEdge / factor;
    const size_t tileBytes = static_cast<size_t>(side) * side * 4;
    if (factor > 1) reduced_.reserve(sheets.tiles.size() * tileBytes);
    std::vector<uint8_t> whole(kTileEdge * kTileEdge * 4);
    for (const TilePixels& tile : sheets.tiles) {
        const SheetPixels& sheet = *tile.sheet;
        const uint8_t* first =
            &sheet.rgba[(static_cast<size_t>(tile.y) * sheet.width + tile.x) * 4];
        const size_t stride = static_cast<size_t>(sheet.width) * 4;
        if (factor == 1) {
            views_.push_back(TileView{first, stride, tile.width, tile.height});
            continue;
        }
        std::fill(whole.begin(), whole.end(), 0);
        for (int y = 0; y < tile.height; ++y) {
            std::copy(first + y * stride, first + y * stride + tile.width * 4,
                      &whole[static_cast<size_t>(y) * kTileEdge * 4]);
        }
        const std::vector<uint8_t> small =
            reduceTile(whole.data(), kTileEdge, kTileEdge * 4, factor);
        views_.push_back(
            TileView{reduced_.data() + reduced_.size(), static_cast<size_t>(side) * 4, side, side});
        reduced_.insert(reduced_.end(), small.begin(), small.end());
    }
    for (const TileView& view : views_) {
        bool clear = true;
        for (int y = 0; y < view.height && clear; ++y) {
            for (int x = 0; x < view.width && clear; ++x)
                clear = view.rgba[y * view.stride + x * 4 + 3] == 0;
        }
        clear_.push_back(clear);
    }
}
