// Writing a map as CSV: one block of tile numbers per layer, headed by the layer's name.
#pragma once

#include "io/byte_sink.h"
#include "map/layer_list.h"
#include "maptool/progress.h"

// Blocks are separated by an empty line; each row of a layer is one line of comma-separated
// tile numbers. False as soon as the sink refuses bytes.
bool writeCsv(ByteSink& sink, const LayerList& layers, Progress& progress);
