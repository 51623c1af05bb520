// The zoom commands.
#include "edit/zoom_commands.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "app/command_names.h"
#include "map/map_view.h"
#include "map/zoom.h"

namespace {
// Each layer's scroll position, in the design window's order.
std::vector<std::pair<int, int>> scrollPositions(Editor& editor, const Window& design) {
    std::vector<std::pair<int, int>> positions;
    for (const std::string& name : design.layerNames) {
        const MapLayer* layer = findWindowLayer(editor, design, name);
        positions.emplace_back(layer ? layer->offsetX : 0, layer ? layer->offsetY : 0);
    }
    return positions;
}

// Zooming back to a level just left, with nothing scrolled meanwhile, puts back the scroll
// position it was left at: the edges of the map may have held the view when zooming out, and
// out then in again must show what it showed before.
bool zoomBack(Editor& editor, Window& design, int to) {
    std::vector<ZoomStep>& steps = editor.zoomSteps;
    if (steps.empty() || steps.back().from != to || steps.back().to != design.zoomLevel ||
        steps.back().after != scrollPositions(editor, design)) {
        return false;
    }
    size_t i = 0;
    for (const std::string& name : design.layerNames) {
        if (MapLayer* layer = findWindowLayer(editor, design, name)) {
            std::tie(layer->offsetX, layer->offsetY) = steps.back().before[i];
        }
        ++i;
    }
    design.zoomLevel = to;
    steps.pop_back();
    return true;
}
}  // namespace

void zoomAt(Editor& editor, int level, int x, int y) {
    Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return;
    const int from = design->zoomLevel;
    const int to = std::clamp(level, kSmallestZoomLevel, kLargestZoomLevel);
    if (to == from) return;
    if (zoomBack(editor, *design, to)) {
        clampScroll(editor, *design);
        return;
    }
    // A zoom that does not go back starts a new way back when the last one was broken.
    if (!editor.zoomSteps.empty() &&
        (editor.zoomSteps.back().to != from ||
         editor.zoomSteps.back().after != scrollPositions(editor, *design))) {
        editor.zoomSteps.clear();
    }
    ZoomStep step{from, to, scrollPositions(editor, *design), {}};
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
    step.after = scrollPositions(editor, *design);
    editor.zoomSteps.push_back(std::move(step));
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
    if (level == design->zoomLevel) return;
    ZoomStep step{design->zoomLevel, level, scrollPositions(editor, *design), {}};
    design->zoomLevel = level;
    for (const std::string& name : design->layerNames) {
        if (MapLayer* layer = findWindowLayer(editor, *design, name)) {
            layer->offsetX = 0;
            layer->offsetY = 0;
        }
    }
    // Actual Size then goes back to where the view was.
    step.after = scrollPositions(editor, *design);
    editor.zoomSteps.assign(1, std::move(step));
}
