// Every fourth and every eighth cell of a layer each way, kept between frames. A view that
// shows four or more cells a pixel reads these small grids, a few hundred kilobytes a layer,
// rather than striding across the tens of megabytes of a big layer, which would cost a memory
// fetch for every pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "map/map_layer.h"

// The cells at (stride * i, stride * j) of a layer, `columns` a row.
struct SampleGrid {
    int stride = 0;
    int columns = 0;
    int rows = 0;
    std::vector<uint16_t> cells;
};

class SampledTiles {
public:
    // The strides kept, and the largest that `cellsAPixel` (cells a pixel shows) reaches: 0
    // when a view shows fewer than four cells a pixel.
    static constexpr int kStrides[] = {4, 8};
    static int strideFor(long long cellsAPixel);

    // The grid of `stride` (4 or 8), made whole on first use and afterwards brought up to date
    // with the cells the layer noted as written since the last call. A layer not seen before,
    // or seen at another size, is sampled whole.
    const SampleGrid& gridOf(MapLayer& layer, int stride);

    // Bytes the grids hold.
    size_t bytes() const;

private:
    void sample(const MapLayer& layer, SampleGrid& grid, const ChangedBlock& block) const;

    uint64_t layerId_ = 0;
    int width_ = -1;
    int height_ = -1;
    SampleGrid grids_[2];
};
