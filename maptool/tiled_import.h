// Turning a TiledMap into map layers: everything checked against what a map can hold and the
// tile sheets the configuration names, then the tile data decoded straight into the layers.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "map/layer_list.h"
#include "maptool/progress.h"
#include "maptool/tile_sheets.h"
#include "maptool/tiled_map.h"

// A tile layer to import: where it comes from and what its properties say.
struct LayerPlan {
    const TiledLayer* source = nullptr;
    int cellWidth = kTileEdge, cellHeight = kTileEdge, scrollColumn = 0, scrollRow = 0;
};

struct ImportPlan {
    std::vector<LayerPlan> layers;  // the map's layers, in order
    int tileCount = 0;              // the sheets' tiles: tile numbers from here up are markers
    // Set when the text the tile data lies in is the importer's own, to be let go a layer at a
    // time once decoded: the memory goes to the layers and the file written.
    bool letDataGo = false;
    long long cells() const;
};

// Checks everything but the tile data and the markers against what a map can hold and the
// sheets. False, with `error` naming what cannot be represented and where (see buildLayers).
bool planImport(const TiledMap& map, const TileSheets& sheets, ImportPlan& plan,
                std::string& error);

// Makes the planned layers, decoding their tile data and placing their markers on both cores,
// and hands them to `take` in order, which may keep a layer (moving it away) or let it go; at
// most three are held at once. False, with `error` naming the layer and the cell or what is
// wrong with its data, for the first layer that cannot be made; false with `error` empty when
// `take` refuses a layer.
bool makeLayers(const ImportPlan& plan, const std::function<bool(std::unique_ptr<MapLayer>&)>& take,
                std::string& error, Progress& progress);

// Plans and makes the layers into `layers`.
// False, with `error` naming what cannot be represented and where, for a map of another
// orientation, an infinite map, tilesets that are not the two sheets, layer kinds other than
// tile and object layers, more layers than a map holds, flipped tiles, gids beyond the sheets,
// objects other than markers (points named by their number) and the path joining them.
// Empty cells without a marker become the see-through tile 1.
bool buildLayers(const TiledMap& map, const TileSheets& sheets, LayerList& layers,
                 std::string& error, Progress& progress);
