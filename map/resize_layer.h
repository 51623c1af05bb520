// resizeLayer: a layer of a new size that keeps the tiles both sizes share.
#pragma once

#include "map/layer_list.h"

// Replaces `layer` (by exact name) with a width x height layer of the same name and number that
// holds the old tiles of the shared top-left block and `newTile` in the cells it gains; every
// other field takes its creation default (scroll 0, 0, visible, 16 x 16 cells). Returns the new
// layer.
MapLayer* resizeLayer(LayerList& layers, const MapLayer& layer, int width, int height,
                      uint16_t newTile = 0);
