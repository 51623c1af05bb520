// The window registry: creation, lookups, layout, the separator drag and the cursor.
#include "gui/window.h"

#include <algorithm>

#include "app/command_names.h"
#include "app/editor.h"
#include "gui/dialog.h"
#include "gui/menu.h"
#include "map/map_view.h"

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
// The most whole columns the tile window may take on a screen `W` pixels wide: the design window
// keeps a width of zero or more beside the 4-pixel separator, and the palette keeps one column.
int maxPaletteColumns(int W) {
    return std::max((W - 4) / kTileEdge, 1);
}

// Makes the tile window `columns` whole columns wide and re-flows the palette row by row.
void flowPalette(Editor& editor, int columns) {
    editor.tileImages->sheetWidth = columns * kTileEdge;
    MapLayer* palette = findToolLayer(editor.layers, kPaletteLayerName);
    if (!palette) return;
    int rows = (palette->entryCount + columns - 1) / columns;
    palette->tiles.resize(static_cast<size_t>(rows) * columns);
    palette->width = columns;
    palette->height = rows;
    fillTiles(*palette, 1, 0);
}

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
    // A palette widened on a wider screen is held to what the separator drag allows here, so
    // the separator and the design window stay on the screen.
    const bool held = editor.tileImages->sheetWidth > maxPaletteColumns(W) * kTileEdge;
    if (held) flowPalette(editor, maxPaletteColumns(W));
    const int T = editor.tileImages->sheetWidth;
    // A screen narrower than one column and the separator leaves the design window empty.
    placeWindow(editor, kDesignWindowName, 0, 16, W - T - 4, H - 16);
    placeWindow(editor, kTileWindowName, W - T, 16, T, H - 16);
    placeWindow(editor, kMenuBarName, 0, 0, W, 16);
    placeWindow(editor, kLineSeparatorName, W - T - 4, 16, 4, H - 16);
    for (const std::string& name : {kResizeMapDialogName, kCreateMapDialogName, kAboutDialogName}) {
        if (Dialog* dialog = findDialog(editor, name)) centreDialog(editor, *dialog);
    }
    if (Window* tiles = findWindow(editor, kTileWindowName); held && tiles) {
        clampScroll(editor, *tiles);
    }
}

bool dragSeparator(Editor& editor) {
    Window* separator = findWindow(editor, kLineSeparatorName);
    if (!separator || !editor.screen) return false;
    if (!(editor.mouseButtons & SDL_BUTTON_LMASK)) {
        separator->captured = false;
        return false;
    }
    if (!separator->captured) return false;
    const int W = editor.screen->w;
    int w = std::max(W - editor.mouseX, kTileEdge);
    const int columns = std::min(std::max(w / kTileEdge, 1), maxPaletteColumns(W));
    MapLayer* palette = findToolLayer(editor.layers, kPaletteLayerName);
    if (!palette || palette->width == columns) return false;
    flowPalette(editor, columns);
    layoutWindows(editor);
    return true;
}

void setCursorForWindow(Editor& editor, const Window& window) {
    if (window.showsLayers == 1 && !menusActive(editor.menus)) {
        if (!isFill(editor.toolMode)) {
            SDL_SetCursor(editor.drawCursor);
        } else {
            SDL_SetCursor(editor.fillCursor);
        }
        return;
    }
    SDL_SetCursor(editor.defaultCursor);
}

MapLayer* findWindowLayer(const Editor& editor, const Window& window, const std::string& name) {
    return window.name == kTileWindowName ? findToolLayer(editor.layers, name)
                                          : findMapLayer(editor.layers, name);
}
