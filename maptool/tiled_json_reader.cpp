// The reader of the TMX map format's JSON form: the members the importer uses are taken as the
// text is walked, every other value is checked and passed over.
#include <cmath>
#include <functional>

#include "maptool/json_reader.h"
#include "maptool/tiled_layout.h"
#include "maptool/tiled_readers.h"

namespace {
using Kind = JsonReader::Kind;

// A value the importer looks at but that may be of any kind: a wrong kind reads as absent.
bool readText(JsonReader& json, std::string& out, size_t most = kMostWordKept,
              bool* whole = nullptr) {
    if (json.next() != Kind::String) return json.skip();
    return json.string(out, most, whole);
}

// A whole number, or `otherwise` when the value is something else.
bool readWhole(JsonReader& json, long long& out, long long otherwise) {
    out = otherwise;
    if (json.next() != Kind::Number) return json.skip();
    double n = 0;
    if (!json.number(n)) return false;
    if (n == std::floor(n) && std::fabs(n) <= 9e15) out = static_cast<long long>(n);
    return true;
}

bool readNumber(JsonReader& json, double& out) {
    out = 0;
    return json.next() == Kind::Number ? json.number(out) : json.skip();
}

bool readTruth(JsonReader& json, bool& out) {
    out = false;
    return json.next() == Kind::Bool ? json.boolean(out) : json.skip();
}

bool isOurProperty(const std::string& name) {
    return name == kCellWidthProperty || name == kCellHeightProperty ||
           name == kScrollColumnProperty || name == kScrollRowProperty;
}

bool readProperties(JsonReader& json, TiledLayer& layer) {
    if (json.next() != Kind::Array) return json.skip();
    return json.array([&] {
        std::string name;
        long long value = -1;
        bool isWhole = false;
        const bool ok =
            json.next() != Kind::Object ? json.skip() : json.object([&](const std::string& m) {
                if (m == "name") return readText(json, name);
                if (m != "value") return json.skip();
                isWhole = json.next() == Kind::Number;
                return readWhole(json, value, -1);
            });
        if (ok && isOurProperty(name)) {
            if (isWhole && value != -1) {
                layer.properties[name] = value;
            } else {
                layer.badProperty = name;
            }
        }
        return ok;
    });
}

bool readObjects(JsonReader& json, TiledLayer& layer) {
    if (json.next() != Kind::Array) return json.skip();
    return json.array([&] {
        if (json.next() != Kind::Object) return json.skip();
        TiledObject object;
        std::string name;
        bool nameWhole = true, tile = false, point = false, polyline = false, polygon = false,
             ellipse = false, words = false;
        const bool ok = json.object([&](const std::string& m) {
            if (m == "name") return readText(json, name, kMostWordKept, &nameWhole);
            if (m == "x") return readNumber(json, object.x);
            if (m == "y") return readNumber(json, object.y);
            if (m == "point") return readTruth(json, point);
            if (m == "ellipse") return readTruth(json, ellipse);
            tile = tile || m == "gid";
            polyline = polyline || m == "polyline";
            polygon = polygon || m == "polygon";
            words = words || m == "text";
            return json.skip();
        });
        if (!ok) return false;
        if (tile) {
            object.shape = ObjectShape::Tile;
        } else if (point) {
            object.shape = ObjectShape::Point;
        } else if (polyline) {
            return true;  // the path joining the markers
        } else if (polygon) {
            object.shape = ObjectShape::Polygon;
        } else if (ellipse) {
            object.shape = ObjectShape::Ellipse;
        } else if (words) {
            object.shape = ObjectShape::Text;
        }
        addObject(layer, object, name, nameWhole);
        return true;
    });
}

bool readLayer(JsonReader& json, TiledLayer& layer) {
    const char* dataBegin = nullptr;
    const char* dataEnd = nullptr;
    const bool ok = json.object([&](const std::string& m) {
        if (m == "type") return readText(json, layer.type);
        if (m == "name") return readText(json, layer.name, kMostNameKept);
        if (m == "width") return readWhole(json, layer.width, -1);
        if (m == "height") return readWhole(json, layer.height, -1);
        if (m == "encoding") return readText(json, layer.encoding);
        if (m == "compression") return readText(json, layer.compression);
        if (m == "properties") return readProperties(json, layer);
        if (m == "objects") return readObjects(json, layer);
        if (m == "data") return json.skip(dataBegin, dataEnd);
        layer.dataInChunks = layer.dataInChunks || m == "chunks";
        return json.skip();
    });
    if (!ok) return false;
    if (layer.encoding.empty()) layer.encoding = "csv";
    // Base64 data is a string: its text lies between the quotes.
    if (dataBegin && layer.encoding == "base64") {
        if (dataEnd - dataBegin >= 2 && *dataBegin == '"') {
            layer.data = dataBegin + 1;
            layer.dataEnd = dataEnd - 1;
        }
    } else if (dataBegin) {
        layer.data = dataBegin;
        layer.dataEnd = dataEnd;
    }
    return true;
}

bool readTileset(JsonReader& json, TiledMap& map) {
    TiledTileset tileset;
    const bool ok = json.object([&](const std::string& m) {
        if (m == "firstgid") return readWhole(json, tileset.firstGid, 0);
        if (m == "tilewidth") return readWhole(json, tileset.tileWidth, 0);
        if (m == "tileheight") return readWhole(json, tileset.tileHeight, 0);
        if (m == "tilecount") return readWhole(json, tileset.tileCount, -1);
        if (m == "imagewidth") return readWhole(json, tileset.imageWidth, -1);
        if (m == "imageheight") return readWhole(json, tileset.imageHeight, -1);
        tileset.external = tileset.external || m == "source";
        return json.skip();
    });
    if (ok) addTileset(map, tileset);
    return ok;
}

const char kNotAMap[] = "not a TMX map in JSON (no \"layers\" list)";
}  // namespace

bool readTiledJson(const char* text, size_t size, TiledMap& map, std::string& error) {
    JsonReader json(text, size);
    bool hasLayers = false;
    std::string refusal;  // what the map holds that a map file cannot
    const auto root = [&](const std::string& m) {
        if (m == "orientation") return readText(json, map.orientation);
        if (m == "infinite") return readTruth(json, map.infinite);
        if (m == "tilewidth") return readWhole(json, map.tileWidth, 0);
        if (m == "tileheight") return readWhole(json, map.tileHeight, 0);
        if (m == "tilesets") {
            if (json.next() != Kind::Array) return json.skip();
            return json.array(
                [&] { return json.next() == Kind::Object ? readTileset(json, map) : json.skip(); });
        }
        if (m != "layers") return json.skip();
        hasLayers = json.next() == Kind::Array;
        if (!hasLayers) return json.skip();
        return json.array([&] {
            if (json.next() != Kind::Object) return json.skip();
            TiledLayer layer;
            if (!readLayer(json, layer)) return false;
            if (layer.type == "tilelayer") {
                layer.objects.clear();  // objects belong to object layers only
                layer.hasUnnumbered = false;
            } else {
                layer.properties.clear();
                layer.badProperty.clear();
            }
            return addLayer(map, std::move(layer), refusal);
        });
    };
    const bool isObject = json.next() == Kind::Object;
    if (!(isObject ? json.object(root) : json.skip()) || !json.finish()) {
        error = refusal.empty() ? json.error() : refusal;
        return false;
    }
    if (!isObject || !hasLayers) {
        error = kNotAMap;
        return false;
    }
    return true;
}
