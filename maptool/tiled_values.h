// What the TMX and JSON writers both spell out, each in its own syntax: a tile layer's integer
// properties and the pixel positions of its markers.
#pragma once

#include <array>
#include <string>

#include "map/map_layer.h"

struct LayerProperty {
    const char* name;
    int value;
};

// The properties that keep what the format has no place for, in the order they are written:
// the cell size in pixels and the scroll position in cells.
std::array<LayerProperty, 4> layerProperties(const MapLayer& layer);

// A position in pixels kept as twice its value, so that the centre of an odd-sized cell is
// exact.
struct HalfPixels {
    long long twiceX = 0;
    long long twiceY = 0;
};

// The centre of a cell of the layer, where its marker's point lies.
HalfPixels cellCentre(const MapLayer& layer, int column, int row);

// A coordinate kept in halves as text: "12" or "12.5".
std::string halves(long long twice);
