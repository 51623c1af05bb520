// Cell reads, tile writes and block copies.
#include "map/cell_access.h"

#include <algorithm>
#include <cstring>

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
    if (!insideCells(layer, index)) return;
    layer.tiles[index] = tile;
    layer.noteWritten(static_cast<int>(index % layer.width), static_cast<int>(index / layer.width),
                      1, 1);
}

namespace {
// Copies row `j` of the block cell by cell: positions beyond the source read through the
// linear index (or the first cell), positions beyond the target are skipped.
void copyRowByCells(const MapLayer& source, const CellBlock& block, MapLayer& target,
                    const CellBlock& at, int j) {
    const int row = at.row + j;
    for (int i = 0; i < block.width; ++i) {
        const int column = at.column + i;
        if (column < 0 || column >= target.width) continue;
        long long s = static_cast<long long>(block.row + j) * source.width + block.column + i;
        const uint16_t from = insideCells(source, s) ? source.tiles[s] : source.tiles[0];
        long long t = static_cast<long long>(row) * target.width + column;
        if (insideCells(target, t)) target.tiles[t] = from;
        target.noteWritten(column, row, 1, 1);
    }
}
}  // namespace

void copyTiles(const MapLayer& source, CellBlock block, MapLayer& target, CellBlock& at,
               bool centred) {
    if (centred) {
        at.column -= at.width / 2;
        at.row -= at.height / 2;
    }
    if (source.tiles.empty()) return;
    // Every target cell is written at most once, so the block may be copied row by row; a row
    // that lies wholly inside the source and, once clipped, inside the target is one move.
    const bool columnsInSource =
        block.column >= 0 && static_cast<long long>(block.column) + block.width <= source.width;
    for (int j = 0; j < block.height; ++j) {
        const int row = at.row + j;
        // Past the last row the linear index is past the last cell, as columns are clipped.
        if (row < 0 || row >= target.height) continue;
        const int sourceRow = block.row + j;
        if (!columnsInSource || sourceRow < 0 || sourceRow >= source.height) {
            copyRowByCells(source, block, target, at, j);
            continue;
        }
        const long long first = std::max<long long>(at.column, 0);
        const long long end =
            std::min<long long>(static_cast<long long>(at.column) + block.width, target.width);
        if (first >= end) continue;
        const uint16_t* from = source.tiles.data() + static_cast<size_t>(sourceRow) * source.width +
                               block.column + (first - at.column);
        uint16_t* to = target.tiles.data() + static_cast<size_t>(row) * target.width + first;
        std::memmove(to, from, static_cast<size_t>(end - first) * sizeof(uint16_t));
        target.noteWritten(static_cast<int>(first), row, static_cast<int>(end - first), 1);
    }
}

uint16_t highestTile(const MapLayer& layer) {
    return highestTile(layer.tiles.data(), layer.tiles.size());
}

uint16_t highestTile(const uint16_t* tiles, size_t n) {
    // Sixteen running maxima, one a position in each block of sixteen cells, let the compiler
    // compare whole blocks at once: a map of nine big layers is 151 million cells.
    constexpr size_t kLanes = 16;
    uint16_t lanes[kLanes] = {};
    size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        for (size_t k = 0; k < kLanes; ++k) lanes[k] = std::max(lanes[k], tiles[i + k]);
    }
    uint16_t highest = 0;
    for (uint16_t lane : lanes) highest = std::max(highest, lane);
    for (; i < n; ++i) highest = std::max(highest, tiles[i]);
    return highest;
}
