// Flood fill, pattern fill, block fill and the border ring.
#include "edit/flood_fill.h"

#include "edit/shuffle.h"

namespace {
bool inside(const MapLayer& layer, int column, int row) {
    return column >= 0 && row >= 0 && column < layer.width && row < layer.height;
}

MapCell& cell(MapLayer& layer, int column, int row) {
    return layer.cells[static_cast<size_t>(row) * layer.width + column];
}

// Pushes the neighbours right, up, left, down that `qualifies` accepts; the last pushed is
// filled first, so the fill runs depth-first downward.
template <typename Qualifies>
void pushNeighbours(std::vector<CellPosition>& stack, MapLayer& layer, int x, int y,
                    Qualifies qualifies) {
    if (x + 1 < layer.width && qualifies(cell(layer, x + 1, y).tile)) stack.push_back({x + 1, y});
    if (y - 1 >= 0 && qualifies(cell(layer, x, y - 1).tile)) stack.push_back({x, y - 1});
    if (x - 1 >= 0 && qualifies(cell(layer, x - 1, y).tile)) stack.push_back({x - 1, y});
    if (y + 1 < layer.height && qualifies(cell(layer, x, y + 1).tile)) stack.push_back({x, y + 1});
}

uint16_t patternTile(const MapLayer& brush, int x, int y) {
    long long index = static_cast<long long>(y % brush.height) * brush.width + x % brush.width;
    if (index < 0 || index >= static_cast<long long>(brush.cells.size())) index = 0;
    return brush.cells[index].tile;
}
}  // namespace

void floodFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
               uint16_t target, uint16_t tile) {
    if (target == tile || !inside(layer, column, row)) return;
    stack.clear();
    stack.push_back({column, row});
    while (!stack.empty()) {
        CellPosition p = stack.back();
        stack.pop_back();
        cell(layer, p.column, p.row).tile = tile;
        pushNeighbours(stack, layer, p.column, p.row, [target](uint16_t t) { return t == target; });
    }
}

void patternFill(std::vector<CellPosition>& stack, MapLayer& layer, int column, int row,
                 uint16_t target, MapLayer& brush, bool reshuffle) {
    if (brush.cells.empty() || !inside(layer, column, row)) return;
    if (brush.width == 1 && brush.height == 1) {
        floodFill(stack, layer, column, row, target, brush.cells[0].tile);
        return;
    }
    if (target == brush.cells[0].tile) return;
    stack.clear();
    stack.push_back({column, row});
    while (!stack.empty()) {
        if (reshuffle) shuffleLayer(brush);
        CellPosition p = stack.back();
        stack.pop_back();
        const uint16_t tile = patternTile(brush, p.column, p.row);
        cell(layer, p.column, p.row).tile = tile;
        pushNeighbours(stack, layer, p.column, p.row,
                       [target, tile](uint16_t t) { return t != tile && t == target; });
    }
}

bool fillChangesNothing(const MapLayer& layer, int column, int row, const MapLayer& brush) {
    if (brush.cells.empty() || !inside(layer, column, row)) return true;
    const uint16_t target = layer.cells[static_cast<size_t>(row) * layer.width + column].tile;
    return target == brush.cells[0].tile;
}

void fillBlock(MapLayer& layer, CellBlock block, uint16_t tile) {
    for (int i = 0; i < block.height; ++i) {
        for (int j = 0; j < block.width; ++j) {
            setTile(layer, block.column + j, block.row + i, tile);
        }
    }
}

void fillEdge(MapLayer& layer, uint16_t tile) {
    const auto w = static_cast<uint16_t>(layer.width);
    const auto h = static_cast<uint16_t>(layer.height);
    fillBlock(layer, CellBlock{0, 0, w, 1}, tile);
    fillBlock(layer, CellBlock{0, 0, 1, h}, tile);
    fillBlock(layer, CellBlock{static_cast<int16_t>(layer.width - 1), 0, 1, h}, tile);
    fillBlock(layer, CellBlock{0, static_cast<int16_t>(layer.height - 1), w, 1}, tile);
}
