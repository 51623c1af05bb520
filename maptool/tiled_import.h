// Turning a TiledMap into map layers: everything checked against what a map can hold and the
// tile sheets the configuration names, then the tile data decoded straight into the layers.
#pragma once

#include <string>

#include "map/layer_list.h"
#include "maptool/progress.h"
#include "maptool/tile_sheets.h"
#include "maptool/tiled_map.h"

// False, with `error` naming what cannot be represented and where, for a map of another
// orientation, an infinite map, tilesets that are not the two sheets, layer kinds other than
// tile and object layers, more layers than a map holds, flipped tiles, gids beyond the sheets,
// objects other than markers (points named by their number) and the path joining them.
// Empty cells without a marker become the see-through tile 1.
bool buildLayers(const TiledMap& map, const TileSheets& sheets, LayerList& layers,
                 std::string& error, Progress& progress);
