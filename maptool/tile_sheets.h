// The two tile sheets named by the configuration, read as plain RGBA pixels without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map/map_layer.h"

struct SheetPixels {
    std::string path;  // as found: relative names are taken from the configuration's folder
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width * height pixels, 4 bytes each, row by row

    // Whole tiles across and in all, as TMX tilesets count them.
    int columns() const { return width / kTileEdge; }
    int wholeTiles() const { return (width / kTileEdge) * (height / kTileEdge); }
};

// One tile's pixels inside its sheet; tiles of a partial strip at a sheet's edge are smaller.
struct TilePixels {
    const SheetPixels* sheet = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
};

struct TileSheets {
    SheetPixels sheets[2];          // "TileImages", then "BaseImages"
    int tileCount = 0;              // tile numbers from here up are numbered markers
    std::vector<TilePixels> tiles;  // by tile number, cut row by row, first sheet then second
};

// Reads the configuration file at `configPath` and the two sheets it names. False, with `error`
// naming the file and the reason ("FILE: reason"), when either cannot be read.
bool readTileSheets(const std::string& configPath, TileSheets& sheets, std::string& error);

// Fills `tiles` and `tileCount` from the two sheets' sizes.
void cutTiles(TileSheets& sheets);
