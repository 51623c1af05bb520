// The CSV writer.
#include "maptool/csv_writer.h"

#include "maptool/tile_rows.h"

bool writeCsv(ByteSink& sink, const LayerList& layers, Progress& progress) {
    for (size_t i = 0; i < layers.size(); ++i) {
        const MapLayer& layer = *layers[i];
        const std::string head = (i > 0 ? "\n" : "") + layer.name + "\n";
        if (!sink.write(head.data(), head.size())) return false;
        if (!writeTileRows(sink, layer, RowStyle::Tiles, 0, "\n", progress)) return false;
    }
    return true;
}
