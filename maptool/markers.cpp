// Finding a layer's numbered markers.
#include "maptool/markers.h"

#include <algorithm>
#include <map>

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

std::vector<std::vector<MarkerCell>> markerLines(const MapLayer& layer, int tileCount) {
    std::map<int, MarkerCell> shown;
    for (const MarkerCell& m : markersOf(layer, tileCount)) shown[m.number] = m;
    std::vector<std::vector<MarkerCell>> lines;
    std::vector<MarkerCell> run;
    for (const auto& [number, marker] : shown) {
        if (!run.empty() && number != run.back().number + 1) {
            if (run.size() >= 2) lines.push_back(run);
            run.clear();
        }
        run.push_back(marker);
    }
    if (run.size() >= 2) lines.push_back(run);
    return lines;
}
