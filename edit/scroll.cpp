// Scrolling a window's layers.
#include "edit/scroll.h"

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
        switch (direction) {
            case ScrollDirection::Right: {
                // Only whole columns count, so the last column can come fully into view.
                const int visible = window.rect.w / layer->cellWidth;
                if (layer->offsetX >= layer->width - visible) continue;
                layer->offsetX += 1;
                break;
            }
            case ScrollDirection::Down: {
                const int visible = window.rect.h / layer->cellHeight;
                if (layer->offsetY >= layer->height - visible) continue;
                layer->offsetY += 1;
                break;
            }
            case ScrollDirection::Left:
                layer->offsetX -= 1;
                break;
            case ScrollDirection::Up:
                layer->offsetY -= 1;
                break;
        }
        clampOffsets(*layer);
    }
}
