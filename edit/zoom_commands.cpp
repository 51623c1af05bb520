// The zoom commands.
#include "edit/zoom_commands.h"

#include <algorithm>

#include "app/command_names.h"
#include "map/map_view.h"
#include "map/zoom.h"

void zoomAt(Editor& editor, int level, int x, int y) {
    Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return;
    const int from = design->zoomLevel;
    const int to = std::clamp(level, kSmallestZoomLevel, kLargestZoomLevel);
    if (to == from) return;
    const long long dx = x - design->rect.x, dy = y - design->rect.y;
    for (const std::string& name : design->layerNames) {
        MapLayer* layer = findWindowLayer(editor, *design, name);
        if (!layer || layer->cellWidth <= 0 || layer->cellHeight <= 0) continue;
        // The cell under the point at the old level is put under it at the new one.
        const long long column = layer->offsetX + cellsUnder(dx, layer->cellWidth, from);
        const long long row = layer->offsetY + cellsUnder(dy, layer->cellHeight, from);
        layer->offsetX =
            static_cast<int>(std::max(0LL, column - cellsUnder(dx, layer->cellWidth, to)));
        layer->offsetY =
            static_cast<int>(std::max(0LL, row - cellsUnder(dy, layer->cellHeight, to)));
    }
    design->zoomLevel = to;
    clampScroll(editor, *design);
}

namespace {
void zoomByOne(Editor& editor, int step) {
    const Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return;
    int x = design->rect.x + design->rect.w / 2, y = design->rect.y + design->rect.h / 2;
    if (rectContains(design->rect, editor.mouseX, editor.mouseY)) {
        x = editor.mouseX;
        y = editor.mouseY;
    }
    zoomAt(editor, design->zoomLevel + step, x, y);
}
}  // namespace

void zoomIn(Editor& editor) {
    zoomByOne(editor, 1);
}

void zoomOut(Editor& editor) {
    zoomByOne(editor, -1);
}

void zoomActualSize(Editor& editor) {
    const Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return;
    zoomAt(editor, 0, design->rect.x + design->rect.w / 2, design->rect.y + design->rect.h / 2);
}

void zoomWholeMap(Editor& editor) {
    Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return;
    int level = kLargestZoomLevel;
    for (; level > kSmallestZoomLevel; --level) {
        bool fits = true;
        for (const std::string& name : design->layerNames) {
            const MapLayer* layer = findWindowLayer(editor, *design, name);
            if (!layer) continue;
            fits = fits &&
                   toScreen(static_cast<long long>(layer->width) * layer->cellWidth, level) <=
                       design->rect.w &&
                   toScreen(static_cast<long long>(layer->height) * layer->cellHeight, level) <=
                       design->rect.h;
        }
        if (fits) break;
    }
    design->zoomLevel = level;
    for (const std::string& name : design->layerNames) {
        if (MapLayer* layer = findWindowLayer(editor, *design, name)) {
            layer->offsetX = 0;
            layer->offsetY = 0;
        }
    }
}
