// The tiles at the size a picture of the map draws them: as they are in their sheets, or each
// shrunk as the editor's zoomed-out view shrinks it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "maptool/tile_sheets.h"

// A tile's straight-alpha RGBA pixels, `width` x `height`, rows `stride` bytes apart.
struct TileView {
    const uint8_t* rgba = nullptr;
    size_t stride = 0;
    int width = 0;
    int height = 0;
};

// Every tile of the sheets at zoom level `level` (0 down to -4): at 0 the sheets' own pixels,
// below it each tile reduced once, by the view's reduction, to 16 >> -level pixels a side (a
// partial tile at a sheet's edge counts as a whole one with the rest transparent).
class PictureTiles {
public:
    PictureTiles(const TileSheets& sheets, int level);
    PictureTiles(const PictureTiles&) = delete;
    PictureTiles& operator=(const PictureTiles&) = delete;

    size_t size() const { return views_.size(); }
    const TileView& operator[](size_t tile) const { return views_[tile]; }
    // Whether every pixel of the tile is transparent, so that drawing it changes nothing.
    bool clear(size_t tile) const { return clear_[tile]; }

private:
    std::vector<uint8_t> reduced_;
    std::vector<TileView> views_;
    std::vector<bool> clear_;
};
