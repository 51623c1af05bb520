// Fuzz target: a tile layer's data of arbitrary bytes, decoded into a map of the bundled
// tilesets, then the tool's round trip. The first three bytes choose the encoding (CSV, base64,
// base64 with zlib, base64 with gzip) and the layer's width and height (1 to 16 cells each).
#include <cstdlib>

#include "tests/fuzz/tool_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    static const char* const compressions[] = {"", "", "zlib", "gzip"};
    TiledMap map;
    map.orientation = "orthogonal";
    map.tileWidth = map.tileHeight = 16;
    TiledTileset tiles;
    tiles.firstGid = 1;
    tiles.tileWidth = tiles.tileHeight = 16;
    addTileset(map, tiles);
    tiles.firstGid = 513;
    addTileset(map, tiles);
    TiledLayer layer;
    layer.type = "tilelayer";
    layer.name = "Map1";
    layer.encoding = data[0] % 4 == 0 ? "csv" : "base64";
    layer.compression = compressions[data[0] % 4];
    layer.width = 1 + data[1] % 16;
    layer.height = 1 + data[2] % 16;
    layer.data = reinterpret_cast<const char*>(data) + 3;
    layer.dataEnd = reinterpret_cast<const char*>(data) + size;
    std::string error;
    if (!addLayer(map, std::move(layer), error)) std::abort();
    checkRoundTrip(map);
    return 0;
}
