// The TMX reader: the XML is parsed with the tile data cut out, so a map of hundreds of
// megabytes of tiles parses into a small document; the data stays where it is in the file.
#include <tinyxml.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/map_tool/tiled_layout.h"
#include "tools/map_tool/tiled_readers.h"

namespace {
// The attribute that tells, in the cut-down document, which piece of data a <data> held.
const char* const kPieceAttribute = "velloran-piece";

struct Piece {
    const char* begin;
    const char* end;
};

bool startsWith(const char* at, const char* end, const char* word) {
    const size_t n = std::strlen(word);
    return static_cast<size_t>(end - at) >= n && std::memcmp(at, word, n) == 0;
}

// Copies `text` to `skeleton` without the text content of <data> elements (their line ends
// stay, so lines are counted as in the file), recording where each content lies.
void cutOutData(const char* text, size_t size, std::string& skeleton, std::vector<Piece>& pieces) {
    const char* at = text;
    const char* end = text + size;
    const auto copyThrough = [&](const char* closing) {
        const char* found = nullptr;
        for (const char* p = at; p + std::strlen(closing) <= end; ++p) {
            if (std::memcmp(p, closing, std::strlen(closing)) == 0) {
                found = p + std::strlen(closing);
                break;
            }
        }
        const char* stop = found ? found : end;
        skeleton.append(at, stop);
        at = stop;
    };
    while (at < end) {
        if (*at != '<') {
            const char* next = static_cast<const char*>(std::memchr(at, '<', end - at));
            const char* stop = next ? next : end;
            skeleton.append(at, stop);
            at = stop;
            continue;
        }
        if (startsWith(at, end, "<!--")) {
            copyThrough("-->");
            continue;
        }
        if (startsWith(at, end, "<![CDATA[")) {
            copyThrough("]]>");
            continue;
        }
        if (startsWith(at, end, "<?")) {
            copyThrough("?>");
            continue;
        }
        const bool dataTag = startsWith(at, end, "<data") && at + 5 < end &&
                             std::strchr(" \t\r\n/>", at[5]) != nullptr && at[5] != 0;
        // The end of this tag, past quoted attribute values.
        const char* p = at + 1;
        char quote = 0;
        for (; p < end; ++p) {
            if (quote) {
                if (*p == quote) quote = 0;
            } else if (*p == '"' || *p == '\'') {
                quote = *p;
            } else if (*p == '>') {
                break;
            }
        }
        if (p >= end) {
            skeleton.append(at, end);
            return;
        }
        if (!dataTag || p[-1] == '/') {
            skeleton.append(at, p + 1);
            at = p + 1;
            continue;
        }
        // Only plain text up to the closing tag is cut out; elements inside (chunks, tiles as
        // XML) stay for the reader to see and refuse.
        const char* content = p + 1;
        const char* next = static_cast<const char*>(std::memchr(content, '<', end - content));
        if (!next || !startsWith(next, end, "</data")) {
            skeleton.append(at, p + 1);
            at = p + 1;
            continue;
        }
        skeleton.append(at, p);
        skeleton +=
            std::string(" ") + kPieceAttribute + "=\"" + std::to_string(pieces.size()) + "\">";
        pieces.push_back(Piece{content, next});
        for (const char* c = content; c < next; ++c) {
            if (*c == '\n') skeleton.push_back('\n');
        }
        at = next;
    }
}

// A whole decimal number; false for anything else.
bool wholeNumber(const char* text, long long& value) {
    if (!text || !*text) return false;
    char* stop = nullptr;
    errno = 0;
    value = std::strtoll(text, &stop, 10);
    return errno == 0 && *stop == 0;
}

long long numberAttribute(const TiXmlElement* e, const char* name, long long otherwise) {
    long long value = 0;
    return wholeNumber(e->Attribute(name), value) ? value : otherwise;
}

std::string textAttribute(const TiXmlElement* e, const char* name) {
    const char* value = e->Attribute(name);
    return value ? value : "";
}

void readProperties(const TiXmlElement* owner, TiledLayer& layer) {
    const TiXmlElement* properties = owner->FirstChildElement("properties");
    if (!properties) return;
    for (const TiXmlElement* p = properties->FirstChildElement("property"); p;
         p = p->NextSiblingElement("property")) {
        const std::string name = textAttribute(p, "name");
        long long value = 0;
        if (wholeNumber(p->Attribute("value"), value)) {
            layer.properties[name] = value;
        } else if (name == kCellWidthProperty || name == kCellHeightProperty ||
                   name == kScrollColumnProperty || name == kScrollRowProperty) {
            layer.badProperty = name;
        }
    }
}

bool readTileLayer(const TiXmlElement* e, const std::vector<Piece>& pieces, TiledLayer& layer,
                   std::string& error) {
    layer.width = numberAttribute(e, "width", -1);
    layer.height = numberAttribute(e, "height", -1);
    const TiXmlElement* data = e->FirstChildElement("data");
    if (!data) return true;
    layer.encoding = data->Attribute("encoding") ? textAttribute(data, "encoding") : "xml";
    layer.compression = textAttribute(data, "compression");
    layer.dataInChunks = data->FirstChildElement("chunk") != nullptr;
    long long piece = 0;
    if (wholeNumber(data->Attribute(kPieceAttribute), piece)) {
        if (piece < 0 || piece >= static_cast<long long>(pieces.size())) {
            error = "layer \"" + layer.name + "\": damaged tile data";
            return false;
        }
        layer.data = pieces[piece].begin;
        layer.dataEnd = pieces[piece].end;
    } else if (layer.encoding != "xml" && !layer.dataInChunks) {
        layer.data = layer.dataEnd = "";  // an empty <data/>
    }
    return true;
}

void readObjects(const TiXmlElement* group, TiledLayer& layer) {
    for (const TiXmlElement* o = group->FirstChildElement("object"); o;
         o = o->NextSiblingElement("object")) {
        TiledObject object;
        object.name = textAttribute(o, "name");
        object.x = o->Attribute("x") ? std::atof(o->Attribute("x")) : 0;
        object.y = o->Attribute("y") ? std::atof(o->Attribute("y")) : 0;
        if (o->Attribute("gid")) {
            object.shape = "tile";
        } else if (o->FirstChildElement("point")) {
            object.shape = "point";
        } else if (o->FirstChildElement("polyline")) {
            object.shape = "polyline";
        } else if (o->FirstChildElement("polygon")) {
            object.shape = "polygon";
        } else if (o->FirstChildElement("ellipse")) {
            object.shape = "ellipse";
        } else if (o->FirstChildElement("text")) {
            object.shape = "text";
        } else {
            object.shape = "rectangle";
        }
        layer.objects.push_back(object);
    }
}
}  // namespace

bool readTmx(const char* text, size_t size, TiledMap& map, std::string& error) {
    std::string skeleton;
    std::vector<Piece> pieces;
    cutOutData(text, size, skeleton, pieces);
    // Zero bytes past the end keep the XML reader's multi-byte steps inside the buffer.
    skeleton.append(8, '\0');
    TiXmlDocument document;
    document.Parse(skeleton.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error()) {
        error = "line " + std::to_string(document.ErrorRow()) + ": " + document.ErrorDesc();
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || std::strcmp(root->Value(), "map") != 0) {
        error = "not a TMX map (no <map> element)";
        return false;
    }
    map.orientation = textAttribute(root, "orientation");
    map.infinite = numberAttribute(root, "infinite", 0) != 0;
    map.tileWidth = numberAttribute(root, "tilewidth", 0);
    map.tileHeight = numberAttribute(root, "tileheight", 0);
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const std::string kind = e->Value();
        if (kind == "tileset") {
            TiledTileset tileset;
            tileset.firstGid = numberAttribute(e, "firstgid", 0);
            tileset.external = e->Attribute("source") != nullptr;
            tileset.tileWidth = numberAttribute(e, "tilewidth", 0);
            tileset.tileHeight = numberAttribute(e, "tileheight", 0);
            tileset.tileCount = numberAttribute(e, "tilecount", -1);
            if (const TiXmlElement* image = e->FirstChildElement("image")) {
                tileset.imageWidth = numberAttribute(image, "width", -1);
                tileset.imageHeight = numberAttribute(image, "height", -1);
            }
            map.tilesets.push_back(tileset);
            continue;
        }
        TiledLayer layer;
        layer.name = textAttribute(e, "name");
        if (kind == "layer") {
            layer.type = "tilelayer";
            readProperties(e, layer);
            if (!readTileLayer(e, pieces, layer, error)) return false;
        } else if (kind == "objectgroup") {
            layer.type = "objectgroup";
            readObjects(e, layer);
        } else if (kind == "imagelayer" || kind == "group") {
            layer.type = kind;
        } else {
            continue;  // properties, editor settings and the like carry no layer
        }
        map.layers.push_back(std::move(layer));
    }
    return true;
}
