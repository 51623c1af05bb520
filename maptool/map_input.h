// Reading a .map file for the map tool: its layers, or one line saying why not.
#pragma once

#include <string>
#include <vector>

#include "map/layer_list.h"

// Reads the map at `path` into `layers`. False, with `error` saying why, for a file that cannot
// be read, is not a map, holds no layers or more than the editor works with. A damaged file
// yields the layers read in full, and `warning` says how many of its layers those are.
bool readMapFile(const std::string& path, LayerList& layers, std::string& error,
                 std::string& warning);

// The layers in order, as the map writers take them.
std::vector<const MapLayer*> layerPointers(const LayerList& layers);
