// Finding a layer's numbered markers.
#include "tools/map_tool/markers.h"

#include <algorithm>

#include "map/cell_access.h"

std::vector<MarkerCell> markersOf(const MapLayer& layer, int tileCount) {
    std::vector<MarkerCell> markers;
    for (int row = 0; row < layer.height; ++row) {
        for (int column = 0; column < layer.width; ++column) {
            const int tile = tileAt(layer, column, row);
            if (tile >= tileCount) markers.push_back(MarkerCell{tile - tileCount + 1, column, row});
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
