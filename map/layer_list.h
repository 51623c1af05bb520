// The list of live layers and the operations that create, find and replace layers in it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "map/map_layer.h"

// Every live layer in creation order; a replaced layer keeps its slot.
using LayerList = std::vector<std::unique_ptr<MapLayer>>;

// Appends a new width x height layer whose cells are laid out with `step` and `start`.
// Negative sizes count as 0.
MapLayer* createLayer(LayerList& layers, int width, int height, const std::string& name, int step,
                      uint16_t start);

// The first layer whose name matches ignoring letter case (same length required), or null.
MapLayer* findLayer(const LayerList& layers, const std::string& name);
// The same among the map layers only, or among the others only (the palette and the brushes):
// a map layer is never taken for a brush, nor a brush for a map layer, whatever their names.
MapLayer* findMapLayer(const LayerList& layers, const std::string& name);
MapLayer* findToolLayer(const LayerList& layers, const std::string& name);
// The map layer with that identity, or null.
MapLayer* findLayerById(const LayerList& layers, uint64_t id);

// Puts `layer` into the slot of the first layer of its kind (map layer or not) with exactly its
// name, destroying the old one. Returns the new layer, or null (and `layer` is destroyed) when
// no name matches.
MapLayer* replaceLayer(LayerList& layers, std::unique_ptr<MapLayer> layer);
// Destroys the first layer of that kind named exactly `name`; false when there is none.
bool eraseLayer(LayerList& layers, const std::string& name, bool mapLayer);

// Names match when both, upper-cased byte by byte, are equal.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);
