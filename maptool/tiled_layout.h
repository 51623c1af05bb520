// How a map is laid out in the TMX map format (and its JSON form): tilesets, gids, the names of
// the properties that keep what TMX has no place for, and the text the formats can carry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/byte_sink.h"
#include "map/layer_list.h"
#include "maptool/progress.h"
#include "maptool/tile_sheets.h"

// The custom properties of a tile layer: its cell size in pixels and its scroll position in
// cells.
extern const char* const kCellWidthProperty;
extern const char* const kCellHeightProperty;
extern const char* const kScrollColumnProperty;
extern const char* const kScrollRowProperty;
// The name of the polyline that joins a layer's markers in sequence.
extern const char* const kMarkerPathName;
// The object layer that holds a tile layer's markers follows it and is named after it.
std::string markerLayerName(const std::string& layerName);

struct TilesetLayout {
    std::string name;   // the sheet's file name without its folder and extension
    std::string image;  // the sheet as the output file names it
    int imageWidth = 0, imageHeight = 0;
    int columns = 0, tileCount = 0;
    long long firstGid = 0;
};

struct TiledLayout {
    int width = 0, height = 0;                          // cells: the widest and the tallest layer
    int tileWidth = kTileEdge, tileHeight = kTileEdge;  // the first layer's cell size
    std::vector<TilesetLayout> tilesets;                // one per sheet: tile n is gid n + 1
};

// The layout of `layers` written to `outputPath` (sheet images are named relative to it).
TiledLayout tiledLayout(const LayerList& layers, const TileSheets& sheets,
                        const std::string& outputPath);

// The gid of a tile: 0, an empty cell, for a marker.
inline uint32_t gidOf(uint16_t tile, int tileCount) {
    return tile >= tileCount ? 0 : static_cast<uint32_t>(tile) + 1;
}

// The length of the UTF-8 character starting at `text[at]`, or 0 when none starts there.
size_t utf8Length(const std::string& text, size_t at);
// Where `text` stops being text that XML and JSON can carry (UTF-8 without control
// characters), or npos when it is such text throughout.
size_t firstByteNotText(const std::string& text);

// False, with `error` naming the layer, when a layer name is not text that XML and JSON can
// carry.
bool namesAreText(const LayerList& layers, std::string& error);
