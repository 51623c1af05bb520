// A TMX map (from its XML or its JSON form) as the importer reads it: what the file says, with
// the tile data left in place in the file's bytes until the layers are built. Only what the
// importer uses is kept, and every name only as long as a map or a message needs it, so that a
// file of any size holds little beside its bytes.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The longest layer name a map holds is 255 bytes: one more byte kept tells a longer one.
constexpr size_t kMostNameKept = 256;
// Other names and words from the file are kept only for messages.
constexpr size_t kMostWordKept = 64;

struct TiledTileset {
    long long firstGid = 0;
    long long tileCount = -1;  // -1 when not stated
    long long tileWidth = 0, tileHeight = 0;
    long long imageWidth = -1, imageHeight = -1;
    bool external = false;  // kept in a separate file
};

enum class ObjectShape : uint8_t { Point, Polyline, Polygon, Ellipse, Text, Tile, Rectangle };

const char* shapeName(ObjectShape shape);

// An object of an object layer: a marker is a point named by its number. A map can hold
// millions of markers, so each takes little room: its name is kept as its number.
struct TiledObject {
    double x = 0, y = 0;
    long long number = -1;  // the name as a whole number, or -1 when it is none
    uint32_t group = 0;     // the object layer it is in, among its tile layer's
    ObjectShape shape = ObjectShape::Rectangle;
};

struct TiledLayer {
    std::string type;  // "tilelayer", "objectgroup", or another kind (shortened)
    std::string name;  // at most kMostNameKept bytes
    long long width = 0, height = 0;
    std::map<std::string, long long> properties;  // the integer properties of ours
    std::string badProperty;                      // a property of ours that is not an integer
    // Tile data: its encoding ("csv", "base64", or "" for a JSON array), its compression, and
    // where it lies in the file's bytes (for a JSON string, without its quotes).
    std::string encoding;
    std::string compression;
    const char* data = nullptr;
    const char* dataEnd = nullptr;
    bool dataInChunks = false;  // tile data split in chunks, as infinite maps keep it
    // The objects of the object layers that follow a tile layer, and the names of those layers
    // that hold any. Polylines (the path joining the markers) are passed over.
    std::deque<TiledObject> objects;
    std::vector<std::string> groupNames;
    // The name of the first object not named by a number (shortened): no such object is a
    // marker, so the first is the one a message names.
    std::string unnumberedName;
    bool hasUnnumbered = false;
};

struct TiledMap {
    std::string orientation;
    bool infinite = false;
    long long tileWidth = 0, tileHeight = 0;
    long long tilesetCount = 0;
    std::vector<TiledTileset> tilesets;  // the first few
    std::vector<TiledLayer> layers;      // the tile layers, in file order
    // The copy of the file's bytes the tile data lies in, when the reader was not given its own.
    std::unique_ptr<char[]> parsedCopy;
};

// Adds a tileset read from the file; only as many as a map can use are kept.
void addTileset(TiledMap& map, const TiledTileset& tileset);

// Adds a layer read from the file: a tile layer to the map's layers, an object layer's objects
// to the tile layer before it. False, with `error` saying why, for what a map cannot hold: more
// tile layers than a map holds, an object layer before any tile layer, another kind of layer.
bool addLayer(TiledMap& map, TiledLayer&& layer, std::string& error);

// Adds an object read from the file to its layer, named `name` (`whole` when it was not
// shortened).
void addObject(TiledLayer& layer, TiledObject object, const std::string& name, bool whole);
