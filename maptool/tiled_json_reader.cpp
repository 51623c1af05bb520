// The reader of the TMX map format's JSON form.
#include <cmath>

#include "maptool/json_reader.h"
#include "maptool/tiled_layout.h"
#include "maptool/tiled_readers.h"

namespace {
using Kind = JsonValue::Kind;

std::string textOf(const JsonValue& owner, const char* name) {
    const JsonValue* v = owner.member(name);
    return v && v->kind == Kind::String ? v->text : "";
}

// A member that is a whole number, or `otherwise`.
long long numberOf(const JsonValue& owner, const char* name, long long otherwise) {
    const JsonValue* v = owner.member(name);
    if (!v || v->kind != Kind::Number) return otherwise;
    const double n = v->number;
    if (n != std::floor(n) || std::fabs(n) > 9e15) return otherwise;
    return static_cast<long long>(n);
}

bool truthOf(const JsonValue& owner, const char* name) {
    const JsonValue* v = owner.member(name);
    return v && v->kind == Kind::Bool && v->boolean;
}

void readProperties(const JsonValue& owner, TiledLayer& layer) {
    const JsonValue* properties = owner.member("properties");
    if (!properties || properties->kind != Kind::Array) return;
    for (const JsonValue& p : properties->items) {
        const std::string name = textOf(p, "name");
        const long long value = numberOf(p, "value", -1);
        const JsonValue* raw = p.member("value");
        if (raw && raw->kind == Kind::Number && value != -1) {
            layer.properties[name] = value;
        } else if (name == kCellWidthProperty || name == kCellHeightProperty ||
                   name == kScrollColumnProperty || name == kScrollRowProperty) {
            layer.badProperty = name;
        }
    }
}

void readObjects(const JsonValue& group, TiledLayer& layer) {
    const JsonValue* objects = group.member("objects");
    if (!objects || objects->kind != Kind::Array) return;
    for (const JsonValue& o : objects->items) {
        TiledObject object;
        object.name = textOf(o, "name");
        const JsonValue* x = o.member("x");
        const JsonValue* y = o.member("y");
        object.x = x && x->kind == Kind::Number ? x->number : 0;
        object.y = y && y->kind == Kind::Number ? y->number : 0;
        if (o.member("gid")) {
            object.shape = "tile";
        } else if (truthOf(o, "point")) {
            object.shape = "point";
        } else if (o.member("polyline")) {
            object.shape = "polyline";
        } else if (o.member("polygon")) {
            object.shape = "polygon";
        } else if (truthOf(o, "ellipse")) {
            object.shape = "ellipse";
        } else if (o.member("text")) {
            object.shape = "text";
        } else {
            object.shape = "rectangle";
        }
        layer.objects.push_back(object);
    }
}

void readTileLayer(const JsonValue& l, TiledLayer& layer) {
    layer.width = numberOf(l, "width", -1);
    layer.height = numberOf(l, "height", -1);
    layer.encoding = textOf(l, "encoding");
    if (layer.encoding.empty()) layer.encoding = "csv";
    layer.compression = textOf(l, "compression");
    layer.dataInChunks = l.member("chunks") != nullptr;
    const JsonValue* data = l.member("data");
    if (!data || data->kind != Kind::Kept) return;
    layer.data = data->begin;
    layer.dataEnd = data->end;
    // Base64 data is a string: its text lies between the quotes.
    if (layer.encoding == "base64" && layer.dataEnd - layer.data >= 2 && *layer.data == '"') {
        ++layer.data;
        --layer.dataEnd;
    } else if (layer.encoding == "base64") {
        layer.data = layer.dataEnd = nullptr;
    }
}

void readLayers(const JsonValue& list, TiledMap& map) {
    for (const JsonValue& l : list.items) {
        TiledLayer layer;
        layer.type = textOf(l, "type");
        layer.name = textOf(l, "name");
        if (layer.type == "tilelayer") {
            readProperties(l, layer);
            readTileLayer(l, layer);
        } else if (layer.type == "objectgroup") {
            readObjects(l, layer);
        }
        map.layers.push_back(std::move(layer));
    }
}
}  // namespace

bool readTiledJson(const char* text, size_t size, TiledMap& map, std::string& error) {
    JsonValue root;
    if (!readJson(text, size, {"data"}, root, error)) return false;
    if (root.kind != Kind::Object || !root.member("layers") ||
        root.member("layers")->kind != Kind::Array) {
        error = "not a TMX map in JSON (no \"layers\" list)";
        return false;
    }
    map.orientation = textOf(root, "orientation");
    map.infinite = truthOf(root, "infinite");
    map.tileWidth = numberOf(root, "tilewidth", 0);
    map.tileHeight = numberOf(root, "tileheight", 0);
    if (const JsonValue* tilesets = root.member("tilesets")) {
        for (const JsonValue& t : tilesets->items) {
            TiledTileset tileset;
            tileset.firstGid = numberOf(t, "firstgid", 0);
            tileset.external = t.member("source") != nullptr;
            tileset.tileWidth = numberOf(t, "tilewidth", 0);
            tileset.tileHeight = numberOf(t, "tileheight", 0);
            tileset.tileCount = numberOf(t, "tilecount", -1);
            tileset.imageWidth = numberOf(t, "imagewidth", -1);
            tileset.imageHeight = numberOf(t, "imageheight", -1);
            map.tilesets.push_back(tileset);
        }
    }
    readLayers(*root.member("layers"), map);
    return true;
}
