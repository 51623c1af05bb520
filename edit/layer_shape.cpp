// Shapes of layers and the cells a new shape cuts away.
#include "edit/layer_shape.h"

#include <algorithm>

#include "map/resize_layer.h"

LayerShape shapeOf(const MapLayer& layer) {
    return LayerShape{layer.id,         layer.width,   layer.height,
                      layer.offsetX,    layer.offsetY, layer.cellWidth,
                      layer.cellHeight, layer.visible, layer.checkerBackground};
}

UndoRecord cutAwayCells(const MapLayer& layer, int width, int height) {
    UndoRecord record;
    record.layerId = layer.id;
    record.layerWidth = layer.width;
    const size_t oldWidth = static_cast<size_t>(layer.width);
    for (int row = 0; row < layer.height; ++row) {
        const size_t first = row < height ? static_cast<size_t>(std::max(width, 0)) : 0;
        if (first < oldWidth) record.cells.note(layer, row * oldWidth + first, oldWidth - first);
    }
    return record;
}

MapLayer* reshapeLayer(LayerList& layers, const MapLayer& layer, const LayerShape& shape) {
    MapLayer* back = resizeLayer(layers, layer, shape.width, shape.height);
    back->offsetX = shape.offsetX;
    back->offsetY = shape.offsetY;
    back->cellWidth = shape.cellWidth;
    back->cellHeight = shape.cellHeight;
    back->visible = shape.visible;
    back->checkerBackground = shape.checkerBackground;
    return back;
}
