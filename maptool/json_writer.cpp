// The writer of the TMX map format's JSON form.
#include <cstdio>
#include <string>

#include "maptool/marker_objects.h"
#include "maptool/tile_rows.h"
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

bool put(ByteSink& sink, const std::string& text) {
    return sink.write(text.data(), text.size());
}

// The object layer of a tile layer's markers, its objects numbered from `nextObject` on.
bool writeMarkerLayer(ByteSink& sink, const MapLayer& layer, const MarkerObjects& markers, int id,
                      long long& nextObject) {
    bool first = true;
    return put(sink, ",\n{\"draworder\":\"topdown\",\"id\":" + std::to_string(id) +
                         ",\"name\":" + quoted(markerLayerName(layer.name)) + ",\"objects\":[") &&
           markers.forEachPoint([&](int number, MarkerPlace place) {
               const HalfPixels at = cellCentre(layer, place.column, place.row);
               const char* before = first ? "\n {" : ",\n {";
               first = false;
               return put(sink, before + std::string("\"height\":0,\"id\":") +
                                    std::to_string(nextObject++) + ",\"name\":\"" +
                                    std::to_string(number) +
                                    "\",\"point\":true,\"rotation\":0,\"type\":\"\",\"visible\":"
                                    "true,\"width\":0,\"x\":" +
                                    halves(at.twiceX) + ",\"y\":" + halves(at.twiceY) + "}");
           }) &&
           markers.forEachLine([&](const std::vector<MarkerPlace>& places) {
               const HalfPixels start =
                   cellCentre(layer, places.front().column, places.front().row);
               std::string out = ",\n {\"height\":0,\"id\":" + std::to_string(nextObject++) +
                                 ",\"name\":\"" + kMarkerPathName + "\",\"polyline\":[";
               for (size_t i = 0; i < places.size(); ++i) {
                   if (i > 0) out.push_back(',');
                   const HalfPixels at = cellCentre(layer, places[i].column, places[i].row);
                   out += "{\"x\":" + halves(at.twiceX - start.twiceX) +
                          ",\"y\":" + halves(at.twiceY - start.twiceY) + "}";
               }
               return put(sink, out +
                                    "],\"rotation\":0,\"type\":\"\",\"visible\":true,\"width\":0,"
                                    "\"x\":" +
                                    halves(start.twiceX) + ",\"y\":" + halves(start.twiceY) + "}");
           }) &&
           put(sink,
               "],\n\"opacity\":1,\"type\":\"objectgroup\",\"visible\":true,\"x\":0,\"y\":0}");
}
}  // namespace

bool writeTiledJson(ByteSink& sink, const LayerList& layers, const TiledLayout& layout,
                    int tileCount, Progress& progress) {
    long long nextObject = 1;
    int id = 1;
    std::string head = "{\"compressionlevel\":-1,\"height\":" + std::to_string(layout.height) +
                       ",\"infinite\":false,\"layers\":[";
    if (!sink.write(head.data(), head.size())) return false;
    for (size_t i = 0; i < layers.size(); ++i) {
        const MapLayer& layer = *layers[i];
        // The layer's markers follow its tiles as an object layer of their own.
        const MarkerObjects markers(layer, tileCount);
        std::string start = i > 0 ? ",\n{\"data\":[" : "\n{\"data\":[";
        if (!sink.write(start.data(), start.size())) return false;
        if (!writeTileRows(sink, layer, RowStyle::Gids, tileCount, "", progress)) return false;
        std::string end =
            "],\n\"height\":" + std::to_string(layer.height) + ",\"id\":" + std::to_string(id) +
            ",\"name\":" + quoted(layer.name) + ",\"opacity\":1,\"properties\":[" +
            properties(layer) +
            "],\"type\":\"tilelayer\",\"visible\":true,\"width\":" + std::to_string(layer.width) +
            ",\"x\":0,\"y\":0}";
        if (!put(sink, end)) return false;
        if (markers.points() > 0 && !writeMarkerLayer(sink, layer, markers, id + 1, nextObject)) {
            return false;
        }
        id += markers.points() > 0 ? 2 : 1;
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
