// layoutCells: cell rectangles and running tile numbers.
#include "map/map_layer.h"

void layoutCells(MapLayer& layer, int step, uint16_t start) {
    int column = 0;
    int row = 0;
    uint32_t tile = start;
    for (MapCell& cell : layer.cells) {
        cell.rect.x = static_cast<Sint16>(column * layer.cellWidth);
        cell.rect.y = static_cast<Sint16>(row * layer.cellHeight);
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
