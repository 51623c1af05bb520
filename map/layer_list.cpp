// Creating, finding and replacing layers by name.
#include "map/layer_list.h"

#include <cctype>

#include "map/tile_storage.h"

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

MapLayer* createLayer(LayerList& layers, int width, int height, const std::string& name, int step,
                      uint16_t start) {
    auto layer = std::make_unique<MapLayer>();
    layer->name = name;
    layer->width = width > 0 ? width : 0;
    layer->height = height > 0 ? height : 0;
    const size_t cells = static_cast<size_t>(layer->width) * static_cast<size_t>(layer->height);
    reserveTiles(layer->tiles, cells);
    layer->tiles.resize(cells);
    fillTiles(*layer, step, start);
    layers.push_back(std::move(layer));
    return layers.back().get();
}

namespace {
template <typename Wanted>
MapLayer* findFirst(const LayerList& layers, const std::string& name, Wanted wanted) {
    for (const auto& layer : layers) {
        if (wanted(*layer) && sameNameIgnoringCase(layer->name, name)) return layer.get();
    }
    return nullptr;
}
}  // namespace

MapLayer* findLayer(const LayerList& layers, const std::string& name) {
    return findFirst(layers, name, [](const MapLayer&) { return true; });
}

MapLayer* findMapLayer(const LayerList& layers, const std::string& name) {
    return findFirst(layers, name, [](const MapLayer& layer) { return layer.isMapLayer(); });
}

MapLayer* findToolLayer(const LayerList& layers, const std::string& name) {
    return findFirst(layers, name, [](const MapLayer& layer) { return !layer.isMapLayer(); });
}

MapLayer* findLayerById(const LayerList& layers, uint64_t id) {
    for (const auto& layer : layers) {
        if (layer->id == id && layer->isMapLayer()) return layer.get();
    }
    return nullptr;
}

MapLayer* replaceLayer(LayerList& layers, std::unique_ptr<MapLayer> layer) {
    for (auto& slot : layers) {
        if (slot->name == layer->name && slot->isMapLayer() == layer->isMapLayer()) {
            slot = std::move(layer);
            return slot.get();
        }
    }
    return nullptr;
}

bool eraseLayer(LayerList& layers, const std::string& name, bool mapLayer) {
    for (auto it = layers.begin(); it != layers.end(); ++it) {
        if ((*it)->name == name && (*it)->isMapLayer() == mapLayer) {
            layers.erase(it);
            return true;
        }
    }
    return false;
}
