// layoutCells: cell rectangles and running tile numbers.
#include "map/map_layer.h"

void layoutCells(MapLayer& layer, int step, uint16_t start) {
    int column = 0;
    int row = 0;
    uint32_t tile = start;
    for (MapCell& cell : layer.cells) {
        // A wide layer of big cells reaches past an int in pixels; the rectangle keeps the low
        // 16 bits as SDL's rectangles do.
        cell.rect.x = static_cast<Sint16>(static_cast<long long>(column) * layer.cellWidth);
        cell.rect.y = static_cast<Sint16>(static_cast<long long>(row) * layer.cellHeight);
        cell.rect.w = static_cast<Uint16>(layer.cellWidth);
        cell.rect.h = static_cast<Uint16>(layer.cellHeight);
        cell.tile = static_cast<uint16_t>(tile);
        tile += static_cast<uint32_t>(step);
        if (++column >= layer.width) {
            column = 0;
            ++row;
        }
    }
}
