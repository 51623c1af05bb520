// The TMX writer.
#include <string>

#include "maptool/marker_objects.h"
#include "maptool/tile_rows.h"
#include "maptool/tiled_values.h"
#include "maptool/tiled_writers.h"

namespace {
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

bool put(ByteSink& sink, const std::string& text) {
    return sink.write(text.data(), text.size());
}

// The objects of a layer's markers, numbered from `nextObject` on.
bool writeMarkerObjects(ByteSink& sink, const MapLayer& layer, const MarkerObjects& markers,
                        long long& nextObject) {
    return markers.forEachPoint([&](int number, MarkerPlace place) {
        const HalfPixels at = cellCentre(layer, place.column, place.row);
        return put(sink, "  <object id=\"" + std::to_string(nextObject++) + "\" name=\"" +
                             std::to_string(number) + "\" x=\"" + halves(at.twiceX) + "\" y=\"" +
                             halves(at.twiceY) + "\">\n   <point/>\n  </object>\n");
    }) && markers.forEachLine([&](const std::vector<MarkerPlace>& places) {
        const HalfPixels first = cellCentre(layer, places.front().column, places.front().row);
        std::string out = "  <object id=\"" + std::to_string(nextObject++) + "\" name=\"" +
                          kMarkerPathName + "\" x=\"" + halves(first.twiceX) + "\" y=\"" +
                          halves(first.twiceY) + "\">\n   <polyline points=\"";
        for (size_t i = 0; i < places.size(); ++i) {
            if (i > 0) out.push_back(' ');
            const HalfPixels at = cellCentre(layer, places[i].column, places[i].row);
            out += halves(at.twiceX - first.twiceX) + "," + halves(at.twiceY - first.twiceY);
        }
        return put(sink, out + "\"/>\n  </object>\n");
    });
}
}  // namespace

bool writeTmx(ByteSink& sink, const LayerList& layers, const TiledLayout& layout, int tileCount,
              Progress& progress) {
    // The markers are counted first: the map's start tag names the next free ids. Their objects
    // are written as they are found.
    std::vector<MarkerObjects> markers;
    long long nextObject = 1;
    int nextLayer = 1;
    for (const auto& layer : layers) {
        markers.emplace_back(*layer, tileCount);
        nextObject += markers.back().count();
        nextLayer += markers.back().points() > 0 ? 2 : 1;
    }
    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    head +=
        "<map version=\"1.9\" tiledversion=\"1.9.2\" orientation=\"orthogonal\" "
        "renderorder=\"right-down\" width=\"" +
        std::to_string(layout.width) + "\" height=\"" + std::to_string(layout.height) +
        "\" tilewidth=\"" + std::to_string(layout.tileWidth) + "\" tileheight=\"" +
        std::to_string(layout.tileHeight) + "\" infinite=\"0\" nextlayerid=\"" +
        std::to_string(nextLayer) + "\" nextobjectid=\"" + std::to_string(nextObject) + "\">\n";
    for (const TilesetLayout& t : layout.tilesets) {
        head += " <tileset firstgid=\"" + std::to_string(t.firstGid) + "\" name=\"" +
                escaped(t.name) + "\" tilewidth=\"" + std::to_string(kTileEdge) +
                "\" tileheight=\"" + std::to_string(kTileEdge) + "\" tilecount=\"" +
                std::to_string(t.tileCount) + "\" columns=\"" + std::to_string(t.columns) +
                "\">\n  <image source=\"" + escaped(t.image) + "\" width=\"" +
                std::to_string(t.imageWidth) + "\" height=\"" + std::to_string(t.imageHeight) +
                "\"/>\n </tileset>\n";
    }
    if (!sink.write(head.data(), head.size())) return false;
    int id = 1;
    nextObject = 1;
    for (size_t i = 0; i < layers.size(); ++i) {
        const MapLayer& layer = *layers[i];
        std::string start = " <layer id=\"" + std::to_string(id++) + "\" name=\"" +
                            escaped(layer.name) + "\" width=\"" + std::to_string(layer.width) +
                            "\" height=\"" + std::to_string(layer.height) + "\">\n  <properties>\n";
        for (const LayerProperty& p : layerProperties(layer)) {
            start += std::string("   <property name=\"") + p.name + "\" type=\"int\" value=\"" +
                     std::to_string(p.value) + "\"/>\n";
        }
        start += "  </properties>\n  <data encoding=\"csv\">\n";
        if (!sink.write(start.data(), start.size())) return false;
        if (!writeTileRows(sink, layer, RowStyle::Gids, tileCount, "\n", progress)) return false;
        if (!put(sink, "</data>\n </layer>\n")) return false;
        if (markers[i].points() == 0) continue;
        if (!put(sink, " <objectgroup id=\"" + std::to_string(id++) + "\" name=\"" +
                           escaped(markerLayerName(layer.name)) + "\">\n") ||
            !writeMarkerObjects(sink, layer, markers[i], nextObject) ||
            !put(sink, " </objectgroup>\n")) {
            return false;
        }
    }
    return put(sink, "</map>\n");
}
