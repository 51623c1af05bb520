// A TMX map (from its XML or its JSON form) as the importer reads it: what the file says, with
// the tile data left in place in the file's bytes until the layers are built.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

struct TiledTileset {
    long long firstGid = 0;
    long long tileCount = -1;  // -1 when not stated
    long long tileWidth = 0, tileHeight = 0;
    long long imageWidth = -1, imageHeight = -1;
    bool external = false;  // kept in a separate file
};

struct TiledObject {
    std::string name;
    double x = 0, y = 0;
    std::string shape;  // "point", "polyline", or what else it is ("rectangle", "tile", ...)
};

struct TiledLayer {
    std::string type;  // "tilelayer", "objectgroup", or another kind
    std::string name;
    long long width = 0, height = 0;
    std::map<std::string, long long> properties;  // the integer ones
    std::string badProperty;                      // a property of ours that is not an integer
    // Tile data: its encoding ("csv", "base64", or "" for a JSON array), its compression, and
    // where it lies in the file's bytes (for a JSON string, without its quotes).
    std::string encoding;
    std::string compression;
    const char* data = nullptr;
    const char* dataEnd = nullptr;
    bool dataInChunks = false;  // tile data split in chunks, as infinite maps keep it
    std::vector<TiledObject> objects;
};

struct TiledMap {
    std::string orientation;
    bool infinite = false;
    long long tileWidth = 0, tileHeight = 0;
    std::vector<TiledTileset> tilesets;
    std::vector<TiledLayer> layers;  // in file order; a group is one layer of type "group"
    // The copy of the file's bytes the tile data lies in, when the reader was not given its own.
    std::unique_ptr<char[]> parsedCopy;
};
