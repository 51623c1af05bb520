// The map view: windows of layers, the checkerboard, cells, markers and the brush preview.
#include "map/map_view.h"

#include "app/editor.h"
#include "app/main_loop.h"
#include "gui/widgets.h"

namespace {

// 8 x 8 squares, white first, each row starting with the other colour than the row above.
// One row more than fits is painted; a right margin of w mod 8 pixels stays unpainted.
void drawCheckerboard(Editor& editor, const SDL_Rect& rect) {
    const Uint32 grey = SDL_MapRGB(editor.screen->format, 128, 128, 128);
    const Uint32 white = SDL_MapRGB(editor.screen->format, 255, 255, 255);
    const int rowLimit = rect.h / 8 * 8 + 8;
    const int columnLimit = rect.w / 8 * 8;
    bool rowStartsWhite = true;
    for (int y = 0; y < rowLimit; y += 8) {
        bool isWhite = rowStartsWhite;
        for (int x = 0; x < columnLimit; x += 8) {
            SDL_Rect square{static_cast<Sint16>(rect.x + x), static_cast<Sint16>(rect.y + y), 8, 8};
            SDL_FillRect(editor.screen, &square, isWhite ? white : grey);
            isWhite = !isWhite;
        }
        rowStartsWhite = !rowStartsWhite;
    }
}

void drawMarkers(Editor& editor) {
    const MarkerLayout& markers = editor.shownMarkers;
    for (const MarkerLine& line : markers.lines()) {
        drawLine(editor.screen, static_cast<int>(line.x1), static_cast<int>(line.y1),
                 static_cast<int>(line.x2), static_cast<int>(line.y2));
    }
    const int side = markers.boxSide();
    for (const auto& [index, place] : markers.places()) {
        SDL_Rect box{static_cast<Sint16>(place.x), static_cast<Sint16>(place.y),
                     static_cast<Uint16>(side), static_cast<Uint16>(side)};
        SDL_FillRect(editor.screen, &box, 0);
        SDL_Surface* label =
            renderText(editor, std::to_string(index + 1), SDL_Color{255, 255, 255, 0});
        if (label)
            blitText(editor, label, static_cast<int>(place.x) + (side - label->w) / 2,
                     static_cast<int>(place.y));
    }
}
}  // namespace

void drawLayerWindow(Editor& editor, const Window& window) {
    if (!window.visible) return;
    if (window.layerNames.empty()) {
        SDL_Rect rect = window.rect;
        SDL_FillRect(editor.screen, &rect, window.colour);
        return;
    }
    if (window.showsLayers != 1) return;
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer) continue;
        if (layer->number == 1 || layer->checkerBackground) drawCheckerboard(editor, window.rect);
        drawLayer(editor, *layer, window.rect.x, window.rect.y, window.rect.w, window.rect.h,
                  layer->offsetX, layer->offsetY);
    }
}

void drawLayer(Editor& editor, MapLayer& layer, int viewX, int viewY, int viewW, int viewH,
               int offsetX, int offsetY) {
    if (!layer.visible) return;
    editor.shownMarkers.clear();
    const int cw = layer.cellWidth;
    const int ch = layer.cellHeight;
    if (cw <= 0 || ch <= 0 || layer.tiles.empty()) return;
    const std::vector<TileImage*>& images = editor.tileImages->images;
    SDL_Surface* image = images.empty() ? nullptr : images[0]->surface;
    int lastTile = -1;
    // Only the cells from the view's corner to its right and bottom limits are visited; a cell
    // that starts inside the view is painted whole (the blit clips to the screen only). Pixel
    // distances are counted from the view's corner, in 64 bits: a layer may be millions of
    // cells wide with cells of up to 1024 pixels.
    const long long firstRow = offsetY < 0 ? 0 : offsetY;
    const long long firstColumn = offsetX < 0 ? 0 : offsetX;
    for (long long row = firstRow; row < layer.height && (row - offsetY) * ch < viewH; ++row) {
        const size_t rowStart = static_cast<size_t>(row) * layer.width;
        const uint16_t* rowTiles = &layer.tiles[rowStart];
        for (long long column = firstColumn;
             column < layer.width && (column - offsetX) * cw <= viewW; ++column) {
            SDL_Rect target{static_cast<Sint16>(viewX + (column - offsetX) * cw),
                            static_cast<Sint16>(viewY + (row - offsetY) * ch),
                            static_cast<Uint16>(cw), static_cast<Uint16>(ch)};
            const int stored = rowTiles[column];
            if (isMarkerTile(stored, editor.tileCount)) {
                editor.shownMarkers.note(stored, editor.tileCount, static_cast<int>(column),
                                         static_cast<int>(row), target.x, target.y);
            }
            const int tile = shownTile(stored, editor.tileCount);
            if (tile != lastTile) {
                size_t index = static_cast<size_t>(tile) < images.size() ? tile : 0;
                image =
                    images.empty() || images[index]->invisible ? nullptr : images[index]->surface;
                lastTile = tile;
            }
            if (image) {
                SDL_Rect at = target;
                SDL_BlitSurface(image, nullptr, editor.screen, &at);
            }
            if (!layer.highlighted.empty() &&
                layer.highlighted.erase(static_cast<int>(rowStart + column)) != 0) {
                shadeRect(editor, target);
            }
        }
    }
    drawMarkers(editor);
}

void drawBrushPreview(Editor& editor, const std::string& side) {
    MapLayer* brush = findToolLayer(editor.layers, brushLayerName(side));
    if (!brush || brush->cellWidth <= 0 || brush->cellHeight <= 0) return;
    const int cw = brush->cellWidth;
    const int ch = brush->cellHeight;
    const int x = (editor.mouseX / cw - (cw * brush->width / 2) / cw) * cw;
    const int y = (editor.mouseY / ch - (ch * brush->height / 2) / ch) * ch;
    drawLayer(editor, *brush, x, y, cw * brush->width, ch * brush->height, 0, 0);
}

void clampScroll(Editor& editor, const Window& window) {
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer || layer->cellWidth <= 0 || layer->cellHeight <= 0) continue;
        // Counted in 64 bits: a file may give a layer a long side and a far scroll position.
        const long long p = window.rect.w / layer->cellWidth;
        const long long q = window.rect.h / layer->cellHeight;
        if (layer->offsetX + p >= layer->width) layer->offsetX = static_cast<int>(layer->width - p);
        if (layer->offsetX < 0) layer->offsetX = 0;
        if (layer->offsetY + q >= layer->height) {
            layer->offsetY = static_cast<int>(layer->height - q);
        }
        if (layer->offsetY < 0) layer->offsetY = 0;
    }
}
