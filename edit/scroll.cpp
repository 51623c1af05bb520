// Scrolling a window's layers.
#include "edit/scroll.h"

#include <algorithm>

#include "app/command_names.h"
#include "map/map_view.h"
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

namespace {
// The last scroll position that still shows whole cells up to the layer's end.
long long lastOffset(long long cells, int pixels, int cellSize, int level) {
    return std::max(0LL, cells - wholeCellsIn(pixels, cellSize, level));
}

template <typename Move>
void moveDesignLayers(Editor& editor, Move move) {
    Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return;
    for (const std::string& name : design->layerNames) {
        MapLayer* layer = findWindowLayer(editor, *design, name);
        if (!layer || layer->cellWidth <= 0 || layer->cellHeight <= 0) continue;
        move(*design, *layer);
        clampOffsets(*layer);
    }
    clampScroll(editor, *design);
}
}  // namespace

void scrollDesignPage(Editor& editor, int pages) {
    moveDesignLayers(editor, [pages](const Window& design, MapLayer& layer) {
        const long long rows = wholeCellsIn(design.rect.h, layer.cellHeight, design.zoomLevel);
        const long long step = std::max(1LL, rows - 1);
        const long long last =
            lastOffset(layer.height, design.rect.h, layer.cellHeight, design.zoomLevel);
        layer.offsetY = static_cast<int>(std::clamp(layer.offsetY + pages * step, 0LL, last));
    });
}

void scrollDesignToEdge(Editor& editor, bool end, bool rows) {
    moveDesignLayers(editor, [end, rows](const Window& design, MapLayer& layer) {
        const int level = design.zoomLevel;
        layer.offsetX =
            end ? static_cast<int>(lastOffset(layer.width, design.rect.w, layer.cellWidth, level))
                : 0;
        if (!rows) return;
        layer.offsetY =
            end ? static_cast<int>(lastOffset(layer.height, design.rect.h, layer.cellHeight, level))
                : 0;
    });
}

void panDesign(Editor& editor) {
    PanState& pan = editor.pan;
    const bool held = (editor.mouseButtons & SDL_BUTTON_MMASK) != 0;
    Window* design = findWindow(editor, kDesignWindowName);
    if (!held || !design) {
        pan.active = false;
        return;
    }
    if (!pan.active) {
        if (!rectContains(design->rect, editor.mouseX, editor.mouseY)) return;
        pan = PanState{true, editor.mouseX, editor.mouseY, {}};
        for (const std::string& name : design->layerNames) {
            const MapLayer* layer = findWindowLayer(editor, *design, name);
            pan.startOffsets.emplace_back(layer ? layer->offsetX : 0, layer ? layer->offsetY : 0);
        }
        return;
    }
    size_t i = 0;
    moveDesignLayers(editor, [&](const Window& window, MapLayer& layer) {
        if (i >= pan.startOffsets.size()) return;
        const auto [x, y] = pan.startOffsets[i++];
        layer.offsetX = static_cast<int>(
            x - cellsUnder(editor.mouseX - pan.startX, layer.cellWidth, window.zoomLevel));
        layer.offsetY = static_cast<int>(
            y - cellsUnder(editor.mouseY - pan.startY, layer.cellHeight, window.zoomLevel));
    });
}
