// Writing a map in the TMX map format and in its JSON form, streamed row by row into a sink.
#pragma once

#include "io/byte_sink.h"
#include "map/layer_list.h"
#include "maptool/progress.h"
#include "maptool/tiled_layout.h"

// An orthogonal TMX map with CSV layer data: one tile layer per map layer, followed by an object
// layer of its markers when it has any. False as soon as the sink refuses bytes.
bool writeTmx(ByteSink& sink, const LayerList& layers, const TiledLayout& layout, int tileCount,
              Progress& progress);

// The same map in the JSON form of the format.
bool writeTiledJson(ByteSink& sink, const LayerList& layers, const TiledLayout& layout,
                    int tileCount, Progress& progress);
