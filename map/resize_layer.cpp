// Resizing a layer while keeping the tiles of the block both sizes share.
#include "map/resize_layer.h"

#include "map/cell_access.h"
#include "map/tile_storage.h"

MapLayer* resizeLayer(LayerList& layers, const MapLayer& layer, int width, int height,
                      uint16_t newTile) {
    auto resized = std::make_unique<MapLayer>();
    resized->name = layer.name;
    resized->id = layer.id;
    resized->number = layer.number;
    resized->width = width > 0 ? width : 0;
    resized->height = height > 0 ? height : 0;
    reserveTiles(resized->tiles, static_cast<size_t>(resized->width) * resized->height);
    resized->tiles.resize(static_cast<size_t>(resized->width) * resized->height);
    fillTiles(*resized, 0, newTile);
    CellBlock block{0, 0, layer.width, layer.height};
    CellBlock at = block;
    copyTiles(layer, block, *resized, at, false);
    return replaceLayer(layers, std::move(resized));
}
