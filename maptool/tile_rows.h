// A layer's tiles as rows of comma-separated numbers, the text the TMX, JSON and CSV writers
// spend most of their time on: a big map is hundreds of millions of numbers.
#pragma once

#include "io/byte_sink.h"
#include "map/map_layer.h"
#include "maptool/progress.h"

enum class RowStyle {
    // Gids (tile n is n + 1, a marker the empty gid 0), a comma after every cell but the
    // layer's last, so that the rows of a layer make one list.
    Gids,
    // The tile numbers the map holds, commas between the cells of a row only.
    Tiles,
};

// Writes the layer's rows into `sink`, each followed by `rowEnd`, and reports each row's cells
// to `progress`. The text of the next rows is made on a second thread while the sink takes the
// rows before them, a few hundred thousand cells at a time. False as soon as the sink refuses
// bytes.
bool writeTileRows(ByteSink& sink, const MapLayer& layer, RowStyle style, int tileCount,
                   const char* rowEnd, Progress& progress);
