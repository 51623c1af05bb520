// The values both TMX writers spell out.
#include "maptool/tiled_values.h"

#include "maptool/tiled_layout.h"

std::array<LayerProperty, 4> layerProperties(const MapLayer& layer) {
    return {{{kCellHeightProperty, layer.cellHeight},
             {kCellWidthProperty, layer.cellWidth},
             {kScrollColumnProperty, layer.offsetX},
             {kScrollRowProperty, layer.offsetY}}};
}

HalfPixels cellCentre(const MapLayer& layer, int column, int row) {
    return {2LL * column * layer.cellWidth + layer.cellWidth,
            2LL * row * layer.cellHeight + layer.cellHeight};
}

std::string halves(long long twice) {
    std::string out = std::to_string(twice / 2);
    if (twice % 2 != 0) out += ".5";
    return out;
}
