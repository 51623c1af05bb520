// Where a layer's markers are, kept between frames: a view of a whole big layer draws every
// marker without reading every cell.
#pragma once

#include <cstdint>
#include <vector>

#include "map/map_layer.h"

class MarkerIndex {
public:
    // The cells (row * width + column) of the layer that hold markers, in row-major order,
    // brought up to date with the cells the layer noted as written since the last call. A layer
    // the index has not seen, or seen at another size, is read whole.
    const std::vector<uint32_t>& markersOf(MapLayer& layer, int tileCount);
    // Whether the last call found markers, gone or new, among the cells it read again: the
    // lines between markers may then run anywhere else.
    bool touched() const { return touched_; }

private:
    uint64_t layerId_ = 0;
    int width_ = -1;
    int height_ = -1;
    int tileCount_ = -1;
    std::vector<uint32_t> cells_;
    bool touched_ = false;
};
