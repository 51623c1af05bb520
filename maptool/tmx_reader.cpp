// The TMX reader: the XML is parsed in place, in the bytes it was read into, so a map of hundreds
// of megabytes of tiles is neither copied nor cut up; the tile data stays where it lies.
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <pugixml.hpp>
#include <vector>

#include "maptool/tiled_layout.h"
#include "maptool/tiled_readers.h"

namespace {
// Attribute values lose their escapes and line ends become '\n', as any XML reader gives them;
// a <data> that holds only white space keeps it, so that it reads as tile data.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

// The parsed document may take this much memory: its elements and attributes (a marker's
// object is about 300 bytes of them), not the text, which stays where it is.
constexpr size_t kMostMarkupMemory = size_t{256} << 20;

// Memory the parser has taken, counted so that a file of millions of elements is refused
// rather than followed until memory runs out.
std::atomic<size_t> markupMemory{0};

void* allocateMarkup(size_t size) {
    if (markupMemory + size > kMostMarkupMemory) return nullptr;
    void* memory = std::malloc(size);
    if (memory) markupMemory += malloc_usable_size(memory);
    return memory;
}

void freeMarkup(void* memory) {
    if (memory) markupMemory -= malloc_usable_size(memory);
    std::free(memory);
}

// A whole decimal number; false for anything else.
bool wholeNumber(const char* text, long long& value) {
    if (!text || !*text) return false;
    char* stop = nullptr;
    errno = 0;
    value = std::strtoll(text, &stop, 10);
    return errno == 0 && *stop == 0;
}

long long numberAttribute(pugi::xml_node e, const char* name, long long otherwise) {
    long long value = 0;
    return wholeNumber(e.attribute(name).value(), value) ? value : otherwise;
}

// At most `most` bytes of an attribute's text; `whole` says whether that was all.
std::string textAttribute(pugi::xml_node e, const char* name, size_t most = kMostWordKept,
                          bool* whole = nullptr) {
    const char* value = e.attribute(name).value();
    const size_t length = strnlen(value, most + 1);
    if (whole) *whole = length <= most;
    return std::string(value, std::min(length, most));
}

bool isOurProperty(const std::string& name) {
    return name == kCellWidthProperty || name == kCellHeightProperty ||
           name == kScrollColumnProperty || name == kScrollRowProperty;
}

void readProperties(pugi::xml_node owner, TiledLayer& layer) {
    for (pugi::xml_node p = owner.child("properties").child("property"); p;
         p = p.next_sibling("property")) {
        const std::string name = textAttribute(p, "name");
        if (!isOurProperty(name)) continue;
        long long value = 0;
        if (wholeNumber(p.attribute("value").value(), value)) {
            layer.properties[name] = value;
        } else {
            layer.badProperty = name;
        }
    }
}

void readTileLayer(pugi::xml_node e, TiledLayer& layer) {
    layer.width = numberAttribute(e, "width", -1);
    layer.height = numberAttribute(e, "height", -1);
    const pugi::xml_node data = e.child("data");
    if (!data) return;
    layer.encoding = data.attribute("encoding") ? textAttribute(data, "encoding") : "xml";
    layer.compression = textAttribute(data, "compression");
    layer.dataInChunks = static_cast<bool>(data.child("chunk"));
    // Only plain text is tile data; elements inside (chunks, tiles as XML) are left for the
    // importer to see and refuse.
    const pugi::xml_node text = data.first_child();
    if (text.type() == pugi::node_pcdata && !text.next_sibling()) {
        layer.data = text.value();
        layer.dataEnd = layer.data + std::strlen(layer.data);
    } else if (layer.encoding != "xml" && !layer.dataInChunks) {
        layer.data = layer.dataEnd = "";  // an empty <data/>
    }
}

void readObjects(pugi::xml_node group, TiledLayer& layer) {
    for (pugi::xml_node o = group.child("object"); o; o = o.next_sibling("object")) {
        TiledObject object;
        if (o.attribute("gid")) {
            object.shape = ObjectShape::Tile;
        } else if (o.child("point")) {
            object.shape = ObjectShape::Point;
        } else if (o.child("polyline")) {
            continue;  // the path joining the markers
        } else if (o.child("polygon")) {
            object.shape = ObjectShape::Polygon;
        } else if (o.child("ellipse")) {
            object.shape = ObjectShape::Ellipse;
        } else if (o.child("text")) {
            object.shape = ObjectShape::Text;
        }
        object.x = o.attribute("x") ? std::atof(o.attribute("x").value()) : 0;
        object.y = o.attribute("y") ? std::atof(o.attribute("y").value()) : 0;
        bool whole = true;
        const std::string name = textAttribute(o, "name", kMostWordKept, &whole);
        addObject(layer, object, name, whole);
    }
}
}  // namespace

long long lineAt(const char* text, size_t offset) {
    return 1 + std::count(text, text + offset, '\n');
}

bool readTmxInPlace(char* text, size_t size, TiledMap& map, std::string& error,
                    const std::function<long long(size_t offset)>& lineOf) {
    pugi::set_memory_management_functions(allocateMarkup, freeMarkup);
    pugi::xml_document document;
    // UTF-8 is assumed, as the writer gives: any other encoding would be converted into a buffer
    // of the document's, which dies with it and which the tile data must not point into.
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(text, size, kParseOptions, pugi::encoding_utf8);
    if (parsed.status == pugi::status_out_of_memory) {
        error = "more XML elements than the tool holds at once (more than " +
                std::to_string(kMostMarkupMemory >> 20) +
                " MiB of them, some 900,000 objects); the JSON form has no such limit";
        return false;
    }
    if (!parsed) {
        const auto offset = static_cast<size_t>(parsed.offset);
        error = "line " + std::to_string(lineOf ? lineOf(offset) : lineAt(text, offset)) + ": " +
                parsed.description();
        return false;
    }
    const pugi::xml_node root = document.document_element();
    if (!root || std::strcmp(root.name(), "map") != 0) {
        error = "not a TMX map (no <map> element)";
        return false;
    }
    map.orientation = textAttribute(root, "orientation");
    map.infinite = numberAttribute(root, "infinite", 0) != 0;
    map.tileWidth = numberAttribute(root, "tilewidth", 0);
    map.tileHeight = numberAttribute(root, "tileheight", 0);
    for (pugi::xml_node e = root.first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element) continue;
        const std::string kind = e.name();
        if (kind == "tileset") {
            TiledTileset tileset;
            tileset.firstGid = numberAttribute(e, "firstgid", 0);
            tileset.external = static_cast<bool>(e.attribute("source"));
            tileset.tileWidth = numberAttribute(e, "tilewidth", 0);
            tileset.tileHeight = numberAttribute(e, "tileheight", 0);
            tileset.tileCount = numberAttribute(e, "tilecount", -1);
            if (const pugi::xml_node image = e.child("image")) {
                tileset.imageWidth = numberAttribute(image, "width", -1);
                tileset.imageHeight = numberAttribute(image, "height", -1);
            }
            addTileset(map, tileset);
            continue;
        }
        TiledLayer layer;
        layer.name = textAttribute(e, "name", kMostNameKept);
        if (kind == "layer") {
            layer.type = "tilelayer";
            readProperties(e, layer);
            readTileLayer(e, layer);
        } else if (kind == "objectgroup") {
            layer.type = "objectgroup";
            readObjects(e, layer);
        } else if (kind == "imagelayer" || kind == "group") {
            layer.type = kind;
        } else {
            continue;  // properties, editor settings and the like carry no layer
        }
        if (!addLayer(map, std::move(layer), error)) return false;
    }
    return true;
}

bool readTmx(const char* text, size_t size, TiledMap& map, std::string& error) {
    map.parsedCopy.reset(new char[size]);
    if (size > 0) std::memcpy(map.parsedCopy.get(), text, size);
    return readTmxInPlace(map.parsedCopy.get(), size, map, error,
                          [text](size_t offset) { return lineAt(text, offset); });
}
