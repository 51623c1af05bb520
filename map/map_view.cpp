// The map view: windows of layers, the checkerboard, cells, markers and the brush preview.
#include "map/map_view.h"

#include <algorithm>
#include <vector>

#include "app/command_names.h"
#include "app/editor.h"
#include "app/main_loop.h"
#include "gui/widgets.h"
#include "map/reduced_view.h"
#include "map/scaled_tiles.h"
#include "map/zoom.h"

namespace {

// 8 x 8 squares at level 0 (half a tile, scaled with the zoom and never under a pixel), white
// first, each row starting with the other colour than the row above. One row more than fits is
// painted; a right margin of w mod the square's side stays unpainted.
void drawCheckerboard(Editor& editor, const SDL_Rect& rect, int level) {
    SDL_Surface* screen = editor.screen;
    const Uint32 grey = SDL_MapRGB(screen->format, 128, 128, 128);
    const Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
    const int side = static_cast<int>(std::max<long long>(1, toScreen(kTileEdge / 2, level)));
    const int rowLimit = rect.h / side * side + side;
    const int columnLimit = rect.w / side * side;
    if (level < 0 && screen->format->BytesPerPixel == 4 && screen->pixels) {
        // Small squares are many: they are written as rows of pixels.
        if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
        // Within the screen's clip, which a partial redraw narrows.
        const SDL_Rect& only = screen->clip_rect;
        const int left = std::max<int>(rect.x, only.x);
        const int right = std::min(rect.x + columnLimit, only.x + only.w);
        const int top = std::max<int>(rect.y, only.y);
        const int bottom = std::min(rect.y + rowLimit, only.y + only.h);
        // The two kinds of row, worked out once and copied down the window.
        std::vector<Uint32> rows[2];
        for (int kind = 0; kind < 2; ++kind) {
            for (int x = left; x < right; ++x) {
                rows[kind].push_back((((x - rect.x) / side) % 2 == 0) == (kind == 0) ? white
                                                                                     : grey);
            }
        }
        for (int y = top; y < bottom; ++y) {
            auto* row =
                reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch);
            const std::vector<Uint32>& pattern = rows[((y - rect.y) / side) % 2];
            std::copy(pattern.begin(), pattern.end(), row + left);
        }
        if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
        return;
    }
    bool rowStartsWhite = true;
    for (int y = 0; y < rowLimit; y += side) {
        bool isWhite = rowStartsWhite;
        for (int x = 0; x < columnLimit; x += side) {
            SDL_Rect square{static_cast<Sint16>(rect.x + x), static_cast<Sint16>(rect.y + y),
                            static_cast<Uint16>(side), static_cast<Uint16>(side)};
            SDL_FillRect(editor.screen, &square, isWhite ? white : grey);
            isWhite = !isWhite;
        }
        rowStartsWhite = !rowStartsWhite;
    }
}

// Markers at `level`: their numbers where the box holds them (always at level 0 and above).
void drawMarkers(Editor& editor, int level) {
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
        if (!label) continue;
        if (level < 0 && (label->w > side || label->h > side)) {
            SDL_FreeSurface(label);
            continue;
        }
        blitText(editor, label, static_cast<int>(place.x) + (side - label->w) / 2,
                 static_cast<int>(place.y));
    }
}
}  // namespace

namespace {
// What the zoomed-out view keeps of layers that are no longer there (removed, or replaced by
// an opened map) is let go.
template <typename Kept>
void forgetGone(const Editor& editor, std::map<uint64_t, Kept>& kept) {
    for (auto it = kept.begin(); it != kept.end();) {
        const bool there = std::any_of(editor.layers.begin(), editor.layers.end(),
                                       [&](const auto& layer) { return layer->id == it->first; });
        it = there ? std::next(it) : kept.erase(it);
    }
}

void forgetGoneLayers(Editor& editor) {
    forgetGone(editor, editor.markerIndexes);
    forgetGone(editor, editor.sampledTiles);
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
    const bool kept = window.zoomLevel < 0 && window.name == kDesignWindowName;
    SDL_Rect part{0, 0, 0, 0};
    const ViewCache::Redraw redraw =
        kept ? editor.viewCache.show(editor, window, part) : ViewCache::Redraw::Whole;
    if (redraw == ViewCache::Redraw::None) return;
    if (kept) forgetGoneLayers(editor);
    // Over the kept picture only the part the writes reach is drawn again.
    if (redraw == ViewCache::Redraw::Part) SDL_SetClipRect(editor.screen, &part);
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer) continue;
        if (layer->number == 1 || layer->checkerBackground) {
            drawCheckerboard(editor, window.rect, window.zoomLevel);
        }
        drawLayer(editor, *layer, window.rect.x, window.rect.y, window.rect.w, window.rect.h,
                  layer->offsetX, layer->offsetY, window.zoomLevel);
    }
    if (redraw == ViewCache::Redraw::Part) SDL_SetClipRect(editor.screen, nullptr);
    if (kept)
        editor.viewCache.keep(editor, window, redraw == ViewCache::Redraw::Part ? &part : nullptr);
}

void drawLayer(Editor& editor, MapLayer& layer, int viewX, int viewY, int viewW, int viewH,
               int offsetX, int offsetY, int level) {
    if (!layer.visible) return;
    editor.shownMarkers.clear();
    editor.shownMarkers.setBoxSide(markerBoxSide(level));
    if (layer.cellWidth <= 0 || layer.cellHeight <= 0 || layer.tiles.empty()) return;
    if (level < 0) {
        const SDL_Rect rect{static_cast<Sint16>(viewX), static_cast<Sint16>(viewY),
                            static_cast<Uint16>(viewW), static_cast<Uint16>(viewH)};
        drawReducedLayer(editor, layer, LayerView{rect, offsetX, offsetY, level});
        drawMarkers(editor, level);
        return;
    }
    // Above level 0 each tile is its image scaled up, blitted as the image itself would be.
    const int cw = static_cast<int>(toScreen(layer.cellWidth, level));
    const int ch = static_cast<int>(toScreen(layer.cellHeight, level));
    const std::vector<TileImage*>& images = editor.tileImages->images;
    const std::vector<SDL_Surface*>* enlarged =
        level > 0 ? &scaledTiles(*editor.tileImages, level).enlarged : nullptr;
    auto surfaceOf = [&](size_t index) {
        return enlarged ? (*enlarged)[index] : images[index]->surface;
    };
    SDL_Surface* image = images.empty() ? nullptr : surfaceOf(0);
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
                image = images.empty() || images[index]->invisible ? nullptr : surfaceOf(index);
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
    drawMarkers(editor, level);
}

void drawBrushPreview(Editor& editor, const std::string& side) {
    MapLayer* brush = findToolLayer(editor.layers, brushLayerName(side));
    if (!brush || brush->cellWidth <= 0 || brush->cellHeight <= 0) return;
    const Window* design = findWindow(editor, kDesignWindowName);
    const int level = design ? design->zoomLevel : 0;
    if (level == 0) {
        const int cw = brush->cellWidth;
        const int ch = brush->cellHeight;
        const int x = (editor.mouseX / cw - (cw * brush->width / 2) / cw) * cw;
        const int y = (editor.mouseY / ch - (ch * brush->height / 2) / ch) * ch;
        drawLayer(editor, *brush, x, y, cw * brush->width, ch * brush->height, 0, 0);
        return;
    }
    // Zoomed, the brush is drawn at the map's scale on the design window's grid of cells.
    const long long cw = toScreen(brush->cellWidth, level);
    const long long ch = toScreen(brush->cellHeight, level);
    const int left = design->rect.x, top = design->rect.y;
    long long x = editor.mouseX - toScreen(brush->cellWidth * (brush->width / 2), level);
    long long y = editor.mouseY - toScreen(brush->cellHeight * (brush->height / 2), level);
    if (cw >= 1 && ch >= 1) {
        x = left + ((editor.mouseX - left) / cw - brush->width / 2) * cw;
        y = top + ((editor.mouseY - top) / ch - brush->height / 2) * ch;
    }
    const long long w =
        std::max(1LL, toScreen(static_cast<long long>(brush->cellWidth) * brush->width, level));
    const long long h =
        std::max(1LL, toScreen(static_cast<long long>(brush->cellHeight) * brush->height, level));
    drawLayer(editor, *brush, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
              static_cast<int>(h), 0, 0, level);
}

void clampScroll(Editor& editor, const Window& window) {
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer || layer->cellWidth <= 0 || layer->cellHeight <= 0) continue;
        // Counted in 64 bits: a file may give a layer a long side and a far scroll position.
        const long long p = wholeCellsIn(window.rect.w, layer->cellWidth, window.zoomLevel);
        const long long q = wholeCellsIn(window.rect.h, layer->cellHeight, window.zoomLevel);
        if (layer->offsetX + p >= layer->width) layer->offsetX = static_cast<int>(layer->width - p);
        if (layer->offsetX < 0) layer->offsetX = 0;
        if (layer->offsetY + q >= layer->height) {
            layer->offsetY = static_cast<int>(layer->height - q);
        }
        if (layer->offsetY < 0) layer->offsetY = 0;
    }
}
