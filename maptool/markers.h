// The numbered markers of a layer: the cells holding tiles from the tile count up.
#pragma once

#include <vector>

#include "map/map_layer.h"

struct MarkerCell {
    int number = 0;  // 1 for the tile numbered tileCount, 2 for the next, ...
    int column = 0;
    int row = 0;
};

// The layer's markers in row-major order.
std::vector<MarkerCell> markersOf(const MapLayer& layer, int tileCount);

// The same markers in the order of their numbers (row-major among equal numbers): the order in
// which the path joining them runs.
std::vector<MarkerCell> markersInSequence(const MapLayer& layer, int tileCount);

// The lines the editor draws between markers: one for each run of consecutive numbers, through
// the one cell where it shows each number (the last in row-major order). A number without its
// neighbours gets no line.
std::vector<std::vector<MarkerCell>> markerLines(const MapLayer& layer, int tileCount);
