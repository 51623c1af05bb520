// The shuffle.
#include "edit/shuffle.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

void shuffleLayer(MapLayer& layer) {
    const size_t n = layer.tiles.size();
    if (n >= 2) {
        for (size_t k = 1; k < n; ++k) {
            // rand gives 15 bits; more are joined on until the range covers k + 1.
            uint32_t r = static_cast<uint32_t>(std::rand()) & 0x7FFF;
            uint32_t limit = 0x7FFF;
            while (k + 1 > limit && limit != 0xFFFFFFFFu) {
                r = (r << 15) | (static_cast<uint32_t>(std::rand()) & 0x7FFF);
                limit = (limit << 15) | 0x7FFF;
            }
            size_t j = r % (k + 1);
            std::swap(layer.tiles[k], layer.tiles[j]);
        }
        layer.noteWritten(0, 0, layer.width, layer.height);
    }
}

void shuffleNamedLayer(LayerList& layers, const std::string& name) {
    if (MapLayer* layer = findToolLayer(layers, name)) shuffleLayer(*layer);
}
