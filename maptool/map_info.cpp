// The map summary.
#include "maptool/map_info.h"

#include "map/cell_access.h"

std::string describeMap(const LayerList& layers, int tileCount) {
    std::string out = std::to_string(layers.size()) + (layers.size() == 1 ? " layer" : " layers") +
                      ", " + std::to_string(tileCount) + " tiles in the sheets\n";
    for (size_t i = 0; i < layers.size(); ++i) {
        const MapLayer& layer = *layers[i];
        long long ground = 0, transparent = 0, tiles = 0, markers = 0;
        for (int row = 0; row < layer.height; ++row) {
            for (int column = 0; column < layer.width; ++column) {
                const int tile = tileAt(layer, column, row);
                if (tile >= tileCount) {
                    ++markers;
                } else if (tile == kGroundTile) {
                    ++ground;
                } else if (tile == kSeeThroughTile) {
                    ++transparent;
                } else {
                    ++tiles;
                }
            }
        }
        out += std::to_string(i + 1) + " \"" + layer.name + "\": " + std::to_string(layer.width) +
               " x " + std::to_string(layer.height) + " cells of " +
               std::to_string(layer.cellWidth) + " x " + std::to_string(layer.cellHeight) +
               " px, scrolled to column " + std::to_string(layer.offsetX) + ", row " +
               std::to_string(layer.offsetY) + "\n";
        out += "  ground " + std::to_string(ground) + ", transparent " +
               std::to_string(transparent) + ", other tiles " + std::to_string(tiles) +
               ", markers " + std::to_string(markers) + "\n";
    }
    return out;
}
