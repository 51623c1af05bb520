// Cell reads, tile writes and block copies.
#include "map/cell_access.h"

namespace {
bool insideCells(const MapLayer& layer, long long index) {
    return index >= 0 && index < static_cast<long long>(layer.tiles.size());
}
}  // namespace

uint16_t tileAt(const MapLayer& layer, int column, int row) {
    if (layer.tiles.empty()) return 0;
    long long index = static_cast<long long>(row) * layer.width + column;
    return insideCells(layer, index) ? layer.tiles[index] : layer.tiles[0];
}

void setTile(MapLayer& layer, int column, int row, uint16_t tile) {
    if (column < 0 || row < 0) return;
    long long index = static_cast<long long>(row) * layer.width + column;
    if (insideCells(layer, index)) layer.tiles[index] = tile;
}

void copyTiles(const MapLayer& source, CellBlock block, MapLayer& target, CellBlock& at,
               bool centred) {
    if (centred) {
        at.column -= at.width / 2;
        at.row -= at.height / 2;
    }
    if (source.tiles.empty()) return;
    for (int i = 0; i < block.width; ++i) {
        int column = at.column + i;
        if (column >= target.width) continue;
        if (column < 0) continue;
        for (int j = 0; j < block.height; ++j) {
            int row = at.row + j;
            if (row < 0) continue;
            long long s = static_cast<long long>(block.row + j) * source.width + block.column + i;
            const uint16_t from = insideCells(source, s) ? source.tiles[s] : source.tiles[0];
            long long t = static_cast<long long>(row) * target.width + column;
            if (insideCells(target, t)) target.tiles[t] = from;
        }
    }
}
