// A map layer's shape (its size and view), the cells a smaller shape cuts away from it, and
// giving a layer a shape it had before.
#pragma once

#include "edit/undo_step.h"
#include "map/layer_list.h"

// The layer's shape now.
LayerShape shapeOf(const MapLayer& layer);

// A record of the layer's cells that a width x height layer would no longer hold, with their
// tiles now.
UndoRecord cutAwayCells(const MapLayer& layer, int width, int height);

// Makes the layer anew in `shape`: the cells both sizes share keep their tiles, the cells it
// gains hold tile 0. Returns the new layer.
MapLayer* reshapeLayer(LayerList& layers, const MapLayer& layer, const LayerShape& shape);
