// The view's status line in the menu bar.
#include "gui/view_status.h"

#include "app/command_names.h"
#include "app/editor.h"
#include "gui/widgets.h"
#include "map/zoom.h"

std::string viewStatusText(Editor& editor) {
    const Window* design = findWindow(editor, kDesignWindowName);
    if (!design) return "";
    std::string text;
    const MapLayer* layer = currentMapLayer(editor);
    if (layer && layer->cellWidth > 0 && layer->cellHeight > 0 &&
        rectContains(design->rect, editor.mouseX, editor.mouseY)) {
        const long long column = layer->offsetX + cellsUnder(editor.mouseX - design->rect.x,
                                                             layer->cellWidth, design->zoomLevel);
        const long long row = layer->offsetY + cellsUnder(editor.mouseY - design->rect.y,
                                                          layer->cellHeight, design->zoomLevel);
        if (column < layer->width && row < layer->height) {
            text += "Cell " + std::to_string(column) + ", " + std::to_string(row) + "   ";
        }
    }
    text += "Zoom " + zoomText(design->zoomLevel);
    if (layer && !layer->visible) text += "   Layer hidden";
    return text;
}

void drawViewStatus(Editor& editor) {
    const Window* bar = findWindow(editor, kMenuBarName);
    if (!bar || !bar->visible) return;
    SDL_Surface* text = renderText(editor, viewStatusText(editor), SDL_Color{0, 0, 0, 0});
    if (!text) return;
    blitText(editor, text, bar->rect.x + bar->rect.w - text->w - 6,
             bar->rect.y + (static_cast<int>(bar->rect.h) - text->h) / 2);
}
