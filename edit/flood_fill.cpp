// Flood fill, pattern fill, block fill and the border ring.
#include "edit/flood_fill.h"

#include <algorithm>

#include "edit/shuffle.h"

namespace {
bool inside(const MapLayer& layer, int column, int row) {
    return column >= 0 && row >= 0 && column < layer.width && row < layer.height;
}

size_t indexOf(const MapLayer& layer, int column, int row) {
    return static_cast<size_t>(row) * layer.width + column;
}

uint16_t& cell(MapLayer& layer, int column, int row) {
    return layer.tiles[indexOf(layer, column, row)];
}

// Pushes the neighbours right, up, left, down that `qualifies` accepts; the last pushed is
// filled first, so the fill runs depth-first downward.
template <typename Qualifies>
void pushNeighbours(std::vector<CellPosition>& stack, MapLayer& layer, int x, int y,
                    Qualifies qualifies) {
    if (x + 1 < layer.width && qualifies(cell(layer, x + 1, y))) stack.push_back({x + 1, y});
    if (y - 1 >= 0 && qualifies(cell(layer, x, y - 1))) stack.push_back({x, y - 1});
    if (x - 1 >= 0 && qualifies(cell(layer, x - 1, y))) stack.push_back({x - 1, y});
    if (y + 1 < layer.height && qualifies(cell(layer, x, y + 1))) stack.push_back({x, y + 1});
}

uint16_t patternTile(const MapLayer& brush, int x, int y) {
    long long index = static_cast<long long>(y % brush.height) * brush.width + x % brush.width;
    if (index < 0 || index >= static_cast<long long>(brush.tiles.size())) index = 0;
    return brush.tiles[index];
}

// The brush tile that falls on each cell when the brush is repeated from the layer's corner,
// without a division per cell.
class PatternLookup {
public:
    PatternLookup(const MapLayer& brush, int layerWidth) : brush_(brush), phase_(layerWidth) {
        for (int x = 0; x < layerWidth; ++x) phase_[x] = x % brush.width;
    }
    uint16_t at(int x, int y) {
        if (y != row_) {
            row_ = y;
            rowTiles_ = &brush_.tiles[static_cast<size_t>(y % brush_.height) * brush_.width];
        }
        return rowTiles_[phase_[x]];
    }

private:
    const MapLayer& brush_;
    std::vector<int> phase_;
    int row_ = -1;
    const uint16_t* rowTiles_ = nullptr;
};

// Fills the 4-connected region of cells for which `inside(tile, x, y)` holds, row span by row
// span, calling `fillSpan(tiles of the row, y, left, right)` once per span; the fill must make
// `inside` false for the cells it fills. Each span's cells are noted in `log` (when given)
// before they are filled.
template <typename Inside, typename FillSpan>
void spanFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row, Inside inside,
              FillSpan fillSpan, ChangedCells* log) {
    auto rowCells = [&layer](int y) { return &layer.tiles[static_cast<size_t>(y) * layer.width]; };
    if (!inside(rowCells(row)[column], column, row)) return;
    stack.clear();
    stack.push_back({column, row});
    while (!stack.empty()) {
        const CellPosition seed = stack.back();
        stack.pop_back();
        const int y = seed.row;
        uint16_t* cells = rowCells(y);
        if (!inside(cells[seed.column], seed.column, y)) continue;
        int left = seed.column;
        while (left > 0 && inside(cells[left - 1], left - 1, y)) --left;
        int right = seed.column;
        while (right + 1 < layer.width && inside(cells[right + 1], right + 1, y)) ++right;
        if (log) log->note(layer, indexOf(layer, left, y), static_cast<size_t>(right - left + 1));
        fillSpan(cells, y, left, right);
        layer.noteWritten(left, y, right - left + 1, 1);
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= layer.height) continue;
            const uint16_t* next = rowCells(ny);
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                const bool in = inside(next[x], x, ny);
                if (in && !inRun) stack.push_back({x, ny});
                inRun = in;
            }
        }
    }
}
}  // namespace

// The region is the same whatever order its cells are visited in, so the fills work span by
// span, which keeps to the rows of the layer in memory.
void floodFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
               uint16_t target, uint16_t tile, ChangedCells* log) {
    if (target == tile || !inside(layer, column, row)) return;
    spanFill(
        stack, layer, column, row, [&](uint16_t t, int, int) { return t == target; },
        [&](uint16_t* cells, int, int left, int right) {
            std::fill(cells + left, cells + right + 1, tile);
        },
        log);
}

namespace {
// Fill Random draws a freshly shuffled brush for every cell, so which tile a cell gets depends
// on the order the cells are filled in: depth-first from the start, the last pushed neighbour
// first (right, up, left, down are pushed, so downward goes first).
void reshufflingFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
                     uint16_t target, MapLayer& brush, ChangedCells* log) {
    stack.clear();
    stack.push_back({column, row});
    while (!stack.empty()) {
        shuffleLayer(brush);
        CellPosition p = stack.back();
        stack.pop_back();
        const uint16_t tile = patternTile(brush, p.column, p.row);
        if (log) log->note(layer, indexOf(layer, p.column, p.row), 1);
        cell(layer, p.column, p.row) = tile;
        pushNeighbours(stack, layer, p.column, p.row,
                       [target, tile](uint16_t t) { return t != tile && t == target; });
    }
}
}  // namespace

void patternFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
                 uint16_t target, MapLayer& brush, bool reshuffle, ChangedCells* log) {
    if (brush.tiles.empty() || !inside(layer, column, row)) return;
    if (brush.width == 1 && brush.height == 1) {
        floodFill(stack, layer, column, row, target, brush.tiles[0], log);
        return;
    }
    if (target == brush.tiles[0]) return;
    if (reshuffle) {
        reshufflingFill(stack, layer, column, row, target, brush, log);
        return;
    }
    // A cell whose pattern tile is the target keeps it and does not spread the fill, so the
    // region is the cells of the target tile reached through cells whose pattern differs.
    PatternLookup pattern(brush, layer.width);
    auto fill = [&](uint16_t* cells, int y, int left, int right) {
        const uint16_t* brushRow =
            &brush.tiles[static_cast<size_t>(y % brush.height) * brush.width];
        for (int x = left, phase = left % brush.width; x <= right; ++x) {
            cells[x] = brushRow[phase];
            if (++phase == brush.width) phase = 0;
        }
    };
    const bool brushHoldsTarget =
        std::find(brush.tiles.begin(), brush.tiles.end(), target) != brush.tiles.end();
    if (!brushHoldsTarget) {
        spanFill(
            stack, layer, column, row, [&](uint16_t t, int, int) { return t == target; }, fill,
            log);
        return;
    }
    spanFill(
        stack, layer, column, row,
        [&](uint16_t t, int x, int y) { return t == target && pattern.at(x, y) != target; }, fill,
        log);
}

bool fillChangesNothing(const MapLayer& layer, int column, int row, const MapLayer& brush) {
    if (brush.tiles.empty() || !inside(layer, column, row)) return true;
    const uint16_t target = layer.tiles[indexOf(layer, column, row)];
    if (brush.tiles.size() == 1) return target == brush.tiles[0];
    return target == brush.tiles[0] || patternTile(brush, column, row) == target;
}

void fillBlock(MapLayer& layer, CellBlock block, uint16_t tile) {
    for (int i = 0; i < block.height; ++i) {
        for (int j = 0; j < block.width; ++j) {
            setTile(layer, block.column + j, block.row + i, tile);
        }
    }
}

std::vector<CellBlock> edgeBlocks(const MapLayer& layer) {
    const int w = layer.width;
    const int h = layer.height;
    return {CellBlock{0, 0, w, 1}, CellBlock{0, 0, 1, h}, CellBlock{w - 1, 0, 1, h},
            CellBlock{0, h - 1, w, 1}};
}

void fillEdge(MapLayer& layer, uint16_t tile) {
    for (const CellBlock& block : edgeBlocks(layer)) fillBlock(layer, block, tile);
}
