// Shuffling the cells of a layer in place with the runtime's rand.
#pragma once

#include <string>

#include "map/layer_list.h"

// A forward Fisher-Yates shuffle of the layer's tiles.
void shuffleLayer(MapLayer& layer);

// Shuffles the layer of that name, if there is one.
void shuffleNamedLayer(LayerList& layers, const std::string& name);
