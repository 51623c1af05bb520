// The writer of the TMX map format's JSON form.
#include <cstdio>
#include <string>

#include "map/cell_access.h"
#include "maptool/markers.h"
#include "maptool/tiled_values.h"
#include "maptool/tiled_writers.h"

namespace {
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", byte);
            out += code;
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

std::string properties(const MapLayer& layer) {
    std::string out;
    for (const LayerProperty& p : layerProperties(layer)) {
        if (!out.empty()) out.push_back(',');
        out += std::string("{\"name\":\"") + p.name +
               "\",\"type\":\"int\",\"value\":" + std::to_string(p.value) + "}";
    }
    return out;
}

// The object layer of a tile layer's markers, or "" when it has none.
std::string markerLayer(const MapLayer& layer, int tileCount, int id, int& nextObject) {
    const std::vector<MarkerCell> markers = markersInSequence(layer, tileCount);
    if (markers.empty()) return "";
    const auto centre = [&](const MarkerCell& m) { return cellCentre(layer, m.column, m.row); };
    std::string out = ",\n{\"draworder\":\"topdown\",\"id\":" + std::to_string(id) +
                      ",\"name\":" + quoted(markerLayerName(layer.name)) + ",\"objects\":[";
    for (size_t i = 0; i < markers.size(); ++i) {
        if (i > 0) out.push_back(',');
        out += "\n {\"height\":0,\"id\":" + std::to_string(nextObject++) + ",\"name\":\"" +
               std::to_string(markers[i].number) +
               "\",\"point\":true,\"rotation\":0,\"type\":\"\",\"visible\":true,\"width\":0,"
               "\"x\":" +
               halves(centre(markers[i]).twiceX) + ",\"y\":" + halves(centre(markers[i]).twiceY) +
               "}";
    }
    for (const std::vector<MarkerCell>& line : markerLines(layer, tileCount)) {
        const HalfPixels first = centre(line.front());
        out += ",\n {\"height\":0,\"id\":" + std::to_string(nextObject++) + ",\"name\":\"" +
               kMarkerPathName + "\",\"polyline\":[";
        for (size_t i = 0; i < line.size(); ++i) {
            if (i > 0) out.push_back(',');
            const HalfPixels at = centre(line[i]);
            out += "{\"x\":" + halves(at.twiceX - first.twiceX) +
                   ",\"y\":" + halves(at.twiceY - first.twiceY) + "}";
        }
        out += "],\"rotation\":0,\"type\":\"\",\"visible\":true,\"width\":0,\"x\":" +
               halves(first.twiceX) + ",\"y\":" + halves(first.twiceY) + "}";
    }
    out += "],\n\"opacity\":1,\"type\":\"objectgroup\",\"visible\":true,\"x\":0,\"y\":0}";
    return out;
}
}  // namespace

bool writeTiledJson(ByteSink& sink, const LayerList& layers, const TiledLayout& layout,
                    int tileCount, Progress& progress) {
    std::vector<std::string> objects(layers.size());
    int nextObject = 1;
    int id = 1;
    for (size_t i = 0; i < layers.size(); ++i) {
        objects[i] = markerLayer(*layers[i], tileCount, id + 1, nextObject);
        id += objects[i].empty() ? 1 : 2;
    }
    std::string head = "{\"compressionlevel\":-1,\"height\":" + std::to_string(layout.height) +
                       ",\"infinite\":false,\"layers\":[";
    if (!sink.write(head.data(), head.size())) return false;
    id = 1;
    for (size_t i = 0; i < layers.size(); ++i) {
        const MapLayer& layer = *layers[i];
        std::string start = i > 0 ? ",\n{\"data\":[" : "\n{\"data\":[";
        if (!sink.write(start.data(), start.size())) return false;
        if (!writeGidRows(sink, layer, tileCount, "", progress)) return false;
        std::string end =
            "],\n\"height\":" + std::to_string(layer.height) + ",\"id\":" + std::to_string(id) +
            ",\"name\":" + quoted(layer.name) + ",\"opacity\":1,\"properties\":[" +
            properties(layer) +
            "],\"type\":\"tilelayer\",\"visible\":true,\"width\":" + std::to_string(layer.width) +
            ",\"x\":0,\"y\":0}" + objects[i];
        id += objects[i].empty() ? 1 : 2;
        if (!sink.write(end.data(), end.size())) return false;
    }
    std::string tail = "],\n\"nextlayerid\":" + std::to_string(id) +
                       ",\"nextobjectid\":" + std::to_string(nextObject) +
                       ",\"orientation\":\"orthogonal\",\"renderorder\":\"right-down\","
                       "\"tiledversion\":\"1.9.2\",\"tileheight\":" +
                       std::to_string(layout.tileHeight) + ",\"tilesets\":[";
    for (size_t i = 0; i < layout.tilesets.size(); ++i) {
        const TilesetLayout& t = layout.tilesets[i];
        if (i > 0) tail.push_back(',');
        tail += "\n{\"columns\":" + std::to_string(t.columns) +
                ",\"firstgid\":" + std::to_string(t.firstGid) + ",\"image\":" + quoted(t.image) +
                ",\"imageheight\":" + std::to_string(t.imageHeight) +
                ",\"imagewidth\":" + std::to_string(t.imageWidth) +
                ",\"margin\":0,\"name\":" + quoted(t.name) +
                ",\"spacing\":0,\"tilecount\":" + std::to_string(t.tileCount) +
                ",\"tileheight\":" + std::to_string(kTileEdge) +
                ",\"tilewidth\":" + std::to_string(kTileEdge) + "}";
    }
    tail += "],\n\"tilewidth\":" + std::to_string(layout.tileWidth) +
            ",\"type\":\"map\",\"version\":\"1.9\",\"width\":" + std::to_string(layout.width) +
            "}\n";
    return sink.write(tail.data(), tail.size());
}
