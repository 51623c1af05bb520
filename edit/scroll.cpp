// Scrolling a window's layers.
#include "edit/scroll.h"

#include <algorithm>

#include "map/zoom.h"

namespace {
void clampOffsets(MapLayer& layer) {
    if (layer.offsetX < 0) layer.offsetX = 0;
    if (layer.offsetY < 0) layer.offsetY = 0;
    if (layer.offsetX >= layer.width) layer.offsetX = layer.width - 1;
    if (layer.offsetY >= layer.height) layer.offsetY = layer.height - 1;
    // A layer without columns or rows keeps its view at the corner.
    if (layer.offsetX < 0) layer.offsetX = 0;
    if (layer.offsetY < 0) layer.offsetY = 0;
}
}  // namespace

void scrollWindow(Editor& editor, const Window& window, ScrollDirection direction) {
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer || layer->cellWidth <= 0 || layer->cellHeight <= 0) continue;
        const int level = window.zoomLevel;
        const int across = scrollStepCells(layer->cellWidth, level);
        const int down = scrollStepCells(layer->cellHeight, level);
        switch (direction) {
            case ScrollDirection::Right: {
                // Only whole columns count, so the last column can come fully into view.
                const long long last =
                    layer->width - wholeCellsIn(window.rect.w, layer->cellWidth, level);
                if (layer->offsetX >= last) continue;
                layer->offsetX =
                    static_cast<int>(std::min<long long>(layer->offsetX + across, last));
                break;
            }
            case ScrollDirection::Down: {
                const long long last =
                    layer->height - wholeCellsIn(window.rect.h, layer->cellHeight, level);
                if (layer->offsetY >= last) continue;
                layer->offsetY = static_cast<int>(std::min<long long>(layer->offsetY + down, last));
                break;
            }
            case ScrollDirection::Left:
                layer->offsetX -= across;
                break;
            case ScrollDirection::Up:
                layer->offsetY -= down;
                break;
        }
        clampOffsets(*layer);
    }
}
