// Which numbered markers show where, and the lines between them.
#include "map/marker_layout.h"

std::vector<std::vector<MarkerPlace>> MarkerLayout::paths() const {
    std::vector<std::vector<MarkerPlace>> paths;
    std::vector<MarkerPlace> run;
    int previous = 0;
    for (const auto& [index, place] : places_) {
        if (!run.empty() && index != previous + 1) {
            if (run.size() >= 2) paths.push_back(run);
            run.clear();
        }
        run.push_back(place);
        previous = index;
    }
    if (run.size() >= 2) paths.push_back(run);
    return paths;
}

std::vector<MarkerLine> MarkerLayout::lines() const {
    const long long half = boxSide_ / 2;
    std::vector<MarkerLine> lines;
    for (const std::vector<MarkerPlace>& path : paths()) {
        for (size_t i = 1; i < path.size(); ++i) {
            lines.push_back(MarkerLine{path[i - 1].x + half, path[i - 1].y + half, path[i].x + half,
                                       path[i].y + half});
        }
    }
    return lines;
}

MarkerLayout layerMarkers(const MapLayer& layer, int tileCount) {
    MarkerLayout layout;
    size_t cell = 0;
    for (int row = 0; row < layer.height; ++row) {
        for (int column = 0; column < layer.width; ++column, ++cell) {
            const int tile = layer.tiles[cell];
            if (!isMarkerTile(tile, tileCount)) continue;
            layout.note(tile, tileCount, column, row,
                        static_cast<long long>(column) * layer.cellWidth,
                        static_cast<long long>(row) * layer.cellHeight);
        }
    }
    return layout;
}
