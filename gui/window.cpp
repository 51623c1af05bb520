// The window registry: creation, lookups, layout, the separator drag and the cursor.
#include "gui/window.h"

#include <algorithm>

#include "app/command_names.h"
#include "app/editor.h"
#include "gui/dialog.h"
#include "gui/menu.h"

Window* createWindow(Editor& editor, int x, int y, int w, int h, const std::string& name,
                     const std::string& layerName, Uint32 colour) {
    auto window = std::make_unique<Window>();
    window->rect =
        SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y),
                 static_cast<Uint16>(std::max(w, 0)), static_cast<Uint16>(std::max(h, 0))};
    window->name = name;
    window->layerName = layerName;
    window->colour = colour;
    if (!layerName.empty()) window->layerNames.push_back(layerName);
    editor.windows.push_back(std::move(window));
    return editor.windows.back().get();
}

Window* findWindow(const Editor& editor, const std::string& name) {
    for (const auto& window : editor.windows) {
        if (sameNameIgnoringCase(window->name, name)) return window.get();
    }
    return nullptr;
}

bool rectContains(const SDL_Rect& rect, int x, int y) {
    return x >= rect.x && y >= rect.y && x < rect.x + static_cast<int>(rect.w) &&
           y < rect.y + static_cast<int>(rect.h);
}

Window* windowAt(const Editor& editor, int x, int y) {
    for (const auto& window : editor.windows) {
        if (rectContains(window->rect, x, y)) return window.get();
    }
    return nullptr;
}

Window* mouseWindow(const Editor& editor) {
    for (const auto& window : editor.windows) {
        if (window->captured) return window.get();
    }
    return windowAt(editor, editor.mouseX, editor.mouseY);
}

namespace {
void placeWindow(Editor& editor, const std::string& name, int x, int y, int w, int h) {
    Window* window = findWindow(editor, name);
    if (!window) return;
    window->rect =
        SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y),
                 static_cast<Uint16>(std::max(w, 0)), static_cast<Uint16>(std::max(h, 0))};
}
}  // namespace

void layoutWindows(Editor& editor) {
    if (!editor.screen) return;
    const int W = editor.screen->w;
    const int H = editor.screen->h;
    const int T = editor.tileImages->sheetWidth;
    // A screen narrower than the tile window leaves the design window empty, not negative.
    placeWindow(editor, kDesignWindowName, 0, 16, W - T - 4, H - 16);
    placeWindow(editor, kTileWindowName, W - T, 16, T, H - 16);
    placeWindow(editor, kMenuBarName, 0, 0, W, 16);
    placeWindow(editor, kLineSeparatorName, W - T - 4, 16, 4, H - 16);
    for (const char* name : {"Resize Map", "Create Map", "About"}) {
        if (Dialog* dialog = findDialog(editor, name)) centreDialog(editor, *dialog);
    }
}

bool dragSeparator(Editor& editor) {
    Window* separator = findWindow(editor, kLineSeparatorName);
    if (!separator || !editor.screen) return false;
    if (!(editor.mouseButtons & SDL_BUTTON_LMASK)) {
        separator->captured = 0;
        return false;
    }
    if (!separator->captured) return false;
    const int W = editor.screen->w;
    int w = std::max(W - editor.mouseX, 16);
    // The design window keeps a width of zero or more: the tile window never grows past the
    // screen less the separator, in whole columns, and keeps at least one column.
    int columns = std::max(std::min(w / 16, (W - 4) / 16), 1);
    MapLayer* palette = findLayer(editor.layers, kPaletteLayerName);
    if (!palette || palette->width == columns) return false;
    editor.tileImages->sheetWidth = columns * 16;
    layoutWindows(editor);
    int rows = (palette->entryCount + columns - 1) / columns;
    palette->cells.resize(static_cast<size_t>(rows) * columns);
    palette->width = columns;
    palette->height = rows;
    layoutCells(*palette, 1, 0);
    return true;
}

void setCursorForWindow(Editor& editor, const Window& window) {
    if (window.showsLayers == 1 && !menusActive(editor.menus)) {
        if (editor.toolMode == 0 || editor.toolMode == 2) {
            SDL_SetCursor(editor.drawCursor);
        } else if (editor.toolMode == 1 || editor.toolMode == 3) {
            SDL_SetCursor(editor.fillCursor);
        }
        return;
    }
    SDL_SetCursor(editor.defaultCursor);
}
