// The summary `velloran-map info` prints: each layer's size, cells, scroll position and tiles.
#pragma once

#include <string>

#include "map/layer_list.h"

// One line per layer, then an indented line counting its cells by kind: ground (tile 0),
// see-through (tile 1), other tiles and markers (from `tileCount` up).
std::string describeMap(const LayerList& layers, int tileCount);
