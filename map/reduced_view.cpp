// The zoomed-out view: reduced tiles and sampled cells painted pixel by pixel.
#include "map/reduced_view.h"

#include <algorithm>
#include <vector>

#include "app/editor.h"
#include "gui/widgets.h"
#include "map/marker_layout.h"
#include "map/scaled_tiles.h"
#include "map/zoom.h"

namespace {
// Blends straight-alpha RGBA pixels over the screen's.
class ScreenPainter {
public:
    explicit ScreenPainter(SDL_Surface* screen) : screen_(screen), f_(screen->format) {
        fast_ = f_->BytesPerPixel == 4 && f_->Rloss == 0 && f_->Gloss == 0 && f_->Bloss == 0;
    }

    void put(int x, int y, const uint8_t* c) const {
        if (c[3] == 0 || x < 0 || y < 0 || x >= screen_->w || y >= screen_->h) return;
        Uint8* p =
            static_cast<Uint8*>(screen_->pixels) + y * screen_->pitch + x * f_->BytesPerPixel;
        if (fast_) {
            Uint32& pixel = *reinterpret_cast<Uint32*>(p);
            if (c[3] == 255) {
                pixel = static_cast<Uint32>(c[0]) << f_->Rshift |
                        static_cast<Uint32>(c[1]) << f_->Gshift |
                        static_cast<Uint32>(c[2]) << f_->Bshift | (pixel & f_->Amask);
                return;
            }
            const Uint32 r = blend((pixel & f_->Rmask) >> f_->Rshift, c[0], c[3]);
            const Uint32 g = blend((pixel & f_->Gmask) >> f_->Gshift, c[1], c[3]);
            const Uint32 b = blend((pixel & f_->Bmask) >> f_->Bshift, c[2], c[3]);
            pixel = r << f_->Rshift | g << f_->Gshift | b << f_->Bshift | (pixel & f_->Amask);
            return;
        }
        Uint32 pixel = 0;
        std::copy(p, p + f_->BytesPerPixel, reinterpret_cast<Uint8*>(&pixel));
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(pixel, f_, &r, &g, &b);
        pixel = SDL_MapRGB(f_, static_cast<Uint8>(blend(r, c[0], c[3])),
                           static_cast<Uint8>(blend(g, c[1], c[3])),
                           static_cast<Uint8>(blend(b, c[2], c[3])));
        std::copy(reinterpret_cast<Uint8*>(&pixel),
                  reinterpret_cast<Uint8*>(&pixel) + f_->BytesPerPixel, p);
    }

private:
    static Uint32 blend(Uint32 below, Uint32 above, Uint32 alpha) {
        return (above * alpha + below * (255 - alpha) + 127) / 255;
    }

    SDL_Surface* screen_;
    const SDL_PixelFormat* f_;
    bool fast_ = false;
};

size_t imageIndex(int tile, const ScaledTiles& tiles) {
    return static_cast<size_t>(tile) < tiles.clear.size() ? static_cast<size_t>(tile) : 0;
}

// Cells of a pixel or more: each cell's reduced tile from its corner, as the usual view blits
// whole tiles.
void drawCells(Editor& editor, MapLayer& layer, const LayerView& view, const ScaledTiles& tiles,
               const ScreenPainter& painter, std::vector<SDL_Rect>& shades) {
    const int cw = layer.cellWidth, ch = layer.cellHeight, level = view.level;
    const int side = tiles.side;
    const long long firstRow = std::max(view.offsetY, 0);
    const long long firstColumn = std::max(view.offsetX, 0);
    for (long long row = firstRow; row < layer.height; ++row) {
        const long long y = cellStart(row - view.offsetY, ch, level);
        if (y >= view.rect.h) break;
        const size_t rowStart = static_cast<size_t>(row) * layer.width;
        for (long long column = firstColumn; column < layer.width; ++column) {
            const long long x = cellStart(column - view.offsetX, cw, level);
            if (x > view.rect.w) break;
            const int stored = layer.tiles[rowStart + column];
            const int sx = view.rect.x + static_cast<int>(x);
            const int sy = view.rect.y + static_cast<int>(y);
            if (isMarkerTile(stored, editor.tileCount)) {
                editor.shownMarkers.note(stored, editor.tileCount, static_cast<int>(column),
                                         static_cast<int>(row), sx, sy);
            }
            const size_t index = imageIndex(shownTile(stored, editor.tileCount), tiles);
            if (!tiles.clear.empty() && !tiles.clear[index]) {
                const uint8_t* pixels = tiles.reducedTile(index);
                for (int j = 0; j < side; ++j) {
                    for (int i = 0; i < side; ++i)
                        painter.put(sx + i, sy + j, pixels + (j * side + i) * 4);
                }
            }
            if (!layer.highlighted.empty() &&
                layer.highlighted.erase(static_cast<int>(rowStart + column)) != 0) {
                shades.push_back(SDL_Rect{static_cast<Sint16>(sx), static_cast<Sint16>(sy),
                                          static_cast<Uint16>(cellStart(1, cw, level)),
                                          static_cast<Uint16>(cellStart(1, ch, level))});
            }
        }
    }
}

// Cells smaller than a pixel: each pixel shows the cell at its corner. The markers come from
// the index, which is what keeps this view's cost to the pixels it paints.
void drawSampledCells(Editor& editor, MapLayer& layer, const LayerView& view,
                      const ScaledTiles& tiles, const ScreenPainter& painter,
                      std::vector<SDL_Rect>& shades) {
    const int cw = layer.cellWidth, ch = layer.cellHeight, level = view.level;
    std::vector<int> columns;
    for (int x = 0; x < view.rect.w; ++x) {
        const long long column = view.offsetX + cellsUnder(x, cw, level);
        if (column >= layer.width) break;
        columns.push_back(static_cast<int>(column));
    }
    long long lastRow = view.offsetY;
    for (int y = 0; y < view.rect.h; ++y) {
        const long long row = view.offsetY + cellsUnder(y, ch, level);
        if (row >= layer.height) break;
        lastRow = row;
        const uint16_t* rowTiles = &layer.tiles[static_cast<size_t>(row) * layer.width];
        for (size_t x = 0; x < columns.size(); ++x) {
            const size_t index =
                imageIndex(shownTile(rowTiles[columns[x]], editor.tileCount), tiles);
            if (tiles.clear[index]) continue;
            painter.put(view.rect.x + static_cast<int>(x), view.rect.y + y,
                        tiles.reducedTile(index));
        }
    }
    if (columns.empty()) return;
    const std::vector<uint32_t>& markers =
        editor.markerIndexes[layer.id].markersOf(layer, editor.tileCount);
    const auto width = static_cast<uint32_t>(layer.width);
    const auto first = std::lower_bound(markers.begin(), markers.end(),
                                        static_cast<uint32_t>(view.offsetY) * width);
    for (auto at = first; at != markers.end() && *at / width <= lastRow; ++at) {
        const int column = static_cast<int>(*at % width), row = static_cast<int>(*at / width);
        if (column < view.offsetX || column > columns.back()) continue;
        editor.shownMarkers.note(layer.tiles[*at], editor.tileCount, column, row,
                                 view.rect.x + cellStart(column - view.offsetX, cw, level),
                                 view.rect.y + cellStart(row - view.offsetY, ch, level));
    }
    // A picked cell's highlight covers the pixel it shows in.
    for (auto it = layer.highlighted.begin(); it != layer.highlighted.end();) {
        const int column = *it % layer.width, row = *it / layer.width;
        if (column < view.offsetX || column > columns.back() || row < view.offsetY ||
            row > lastRow) {
            ++it;
            continue;
        }
        shades.push_back(SDL_Rect{
            static_cast<Sint16>(view.rect.x + cellStart(column - view.offsetX, cw, level)),
            static_cast<Sint16>(view.rect.y + cellStart(row - view.offsetY, ch, level)), 1, 1});
        it = layer.highlighted.erase(it);
    }
}
}  // namespace

void drawReducedLayer(Editor& editor, MapLayer& layer, const LayerView& view) {
    SDL_Surface* screen = editor.screen;
    const ScaledTiles& tiles = scaledTiles(*editor.tileImages, view.level);
    if (tiles.clear.empty() || !screen || !screen->pixels) return;
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
    const ScreenPainter painter(screen);
    const bool wholePixels = cellStart(1, layer.cellWidth, view.level) >= 1 &&
                             cellStart(1, layer.cellHeight, view.level) >= 1;
    // A pick's highlight is shaded once the pixels are let go: blits need them unlocked.
    std::vector<SDL_Rect> shades;
    if (wholePixels) {
        drawCells(editor, layer, view, tiles, painter, shades);
    } else {
        drawSampledCells(editor, layer, view, tiles, painter, shades);
    }
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    for (const SDL_Rect& shade : shades) shadeRect(editor, shade);
}
