// Running tile numbers, layer identities and the layer size limit's words.
#include "map/map_layer.h"

#include <algorithm>
#include <atomic>

void fillTiles(MapLayer& layer, int step, uint16_t start) {
    layer.noteWritten(0, 0, layer.width, layer.height);
    if (step == 0) {
        std::fill(layer.tiles.begin(), layer.tiles.end(), start);
        return;
    }
    uint32_t tile = start;
    for (uint16_t& cell : layer.tiles) {
        cell = static_cast<uint16_t>(tile);
        tile += static_cast<uint32_t>(step);
    }
}

uint64_t newLayerId() {
    static std::atomic<uint64_t> made{0};
    return ++made;
}

std::string layerLimitText() {
    const std::string side = std::to_string(kMaxLayerSide);
    return "a layer may hold at most " + std::to_string(kMaxLayerCells) + " cells (" + side +
           " x " + side + ")";
}
