// fillTiles: running tile numbers; newLayerId: layer identities.
#include <algorithm>
#include <atomic>

#include "map/map_layer.h"

void fillTiles(MapLayer& layer, int step, uint16_t start) {
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
