// The TMX writer.
#include <string>

#include "map/cell_access.h"
#include "maptool/markers.h"
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

std::string markerObjects(const MapLayer& layer, int tileCount, int& nextObject) {
    const std::vector<MarkerCell> markers = markersInSequence(layer, tileCount);
    std::string out;
    const auto centre = [&](const MarkerCell& m) { return cellCentre(layer, m.column, m.row); };
    for (const MarkerCell& m : markers) {
        const HalfPixels at = centre(m);
        out += "  <object id=\"" + std::to_string(nextObject++) + "\" name=\"" +
               std::to_string(m.number) + "\" x=\"" + halves(at.twiceX) + "\" y=\"" +
               halves(at.twiceY) + "\">\n   <point/>\n  </object>\n";
    }
    for (const std::vector<MarkerCell>& line : markerLines(layer, tileCount)) {
        const HalfPixels first = centre(line.front());
        out += "  <object id=\"" + std::to_string(nextObject++) + "\" name=\"" + kMarkerPathName +
               "\" x=\"" + halves(first.twiceX) + "\" y=\"" + halves(first.twiceY) +
               "\">\n   <polyline points=\"";
        for (size_t i = 0; i < line.size(); ++i) {
            if (i > 0) out.push_back(' ');
            const HalfPixels at = centre(line[i]);
            out += halves(at.twiceX - first.twiceX) + "," + halves(at.twiceY - first.twiceY);
        }
        out += "\"/>\n  </object>\n";
    }
    return out;
}
}  // namespace

bool writeTmx(ByteSink& sink, const LayerList& layers, const TiledLayout& layout, int tileCount,
              Progress& progress) {
    // The marker objects are gathered first: the map's start tag names the next free ids.
    std::vector<std::string> objects(layers.size());
    int nextObject = 1;
    int nextLayer = 1;
    for (size_t i = 0; i < layers.size(); ++i) {
        objects[i] = markerObjects(*layers[i], tileCount, nextObject);
        nextLayer += objects[i].empty() ? 1 : 2;
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
        if (!writeGidRows(sink, layer, tileCount, "\n", progress)) return false;
        std::string end = "</data>\n </layer>\n";
        if (!objects[i].empty()) {
            end += " <objectgroup id=\"" + std::to_string(id++) + "\" name=\"" +
                   escaped(markerLayerName(layer.name)) + "\">\n" + objects[i] +
                   " </objectgroup>\n";
        }
        if (!sink.write(end.data(), end.size())) return false;
    }
    const std::string tail = "</map>\n";
    return sink.write(tail.data(), tail.size());
}
