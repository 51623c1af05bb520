// The CSV writer.
#include "maptool/csv_writer.h"

#include "map/cell_access.h"
#include "maptool/tiled_layout.h"

bool writeCsv(ByteSink& sink, const LayerList& layers, Progress& progress) {
    std::string row;
    for (size_t i = 0; i < layers.size(); ++i) {
        const MapLayer& layer = *layers[i];
        const std::string head = (i > 0 ? "\n" : "") + layer.name + "\n";
        if (!sink.write(head.data(), head.size())) return false;
        for (int y = 0; y < layer.height; ++y) {
            row.clear();
            for (int x = 0; x < layer.width; ++x) {
                if (x > 0) row.push_back(',');
                appendNumber(row, tileAt(layer, x, y));
            }
            row.push_back('\n');
            if (!sink.write(row.data(), row.size())) return false;
            progress.advance(layer.width);
        }
    }
    return true;
}
