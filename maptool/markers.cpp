// Finding a layer's numbered markers.
#include "maptool/markers.h"

#include <algorithm>

#include "map/cell_access.h"
#include "map/marker_layout.h"

std::vector<MarkerCell> markersOf(const MapLayer& layer, int tileCount) {
    std::vector<MarkerCell> markers;
    for (int row = 0; row < layer.height; ++row) {
        for (int column = 0; column < layer.width; ++column) {
            const int tile = tileAt(layer, column, row);
            if (isMarkerTile(tile, tileCount))
                markers.push_back(MarkerCell{tile - tileCount + 1, column, row});
        }
    }
    return markers;
}

std::vector<MarkerCell> markersInSequence(const MapLayer& layer, int tileCount) {
    std::vector<MarkerCell> markers = markersOf(layer, tileCount);
    std::stable_sort(markers.begin(), markers.end(),
                     [](const MarkerCell& a, const MarkerCell& b) { return a.number < b.number; });
    return markers;
}

std::vector<std::vector<MarkerCell>> markerLines(const MapLayer& layer, int tileCount) {
    const MarkerLayout layout = layerMarkers(layer, tileCount);
    std::vector<std::vector<MarkerCell>> lines;
    for (const std::vector<MarkerPlace>& path : layout.paths()) {
        std::vector<MarkerCell>& line = lines.emplace_back();
        for (const MarkerPlace& place : path) {
            const int tile = tileAt(layer, place.column, place.row);
            line.push_back(MarkerCell{tile - tileCount + 1, place.column, place.row});
        }
    }
    return lines;
}
