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
// Paints the pixels of reduced tiles over the screen's: on the usual 32-bit screens straight
// into its memory, with each tile pixel's screen colour worked out once a frame.
class ScreenPainter {
public:
    ScreenPainter(SDL_Surface* screen, const ScaledTiles& tiles)
        : screen_(screen), f_(screen->format), rgba_(tiles.reduced.data()) {
        fast_ = f_->BytesPerPixel == 4 && f_->Rloss == 0 && f_->Gloss == 0 && f_->Bloss == 0;
        if (!fast_) return;
        packed_.resize(tiles.reduced.size() / 4);
        for (size_t i = 0; i < packed_.size(); ++i) {
            const uint8_t* c = rgba_ + i * 4;
            packed_[i] = static_cast<Uint32>(c[0]) << f_->Rshift |
                         static_cast<Uint32>(c[1]) << f_->Gshift |
                         static_cast<Uint32>(c[2]) << f_->Bshift;
        }
    }

    // Paints tile pixel `pixel` (its index among all the tiles' pixels) at (x, y), which the
    // caller keeps on the screen.
    void put(int x, int y, size_t pixel) const {
        if (fast_) {
            paint(row(y)[x], pixel);
            return;
        }
        const uint8_t* c = rgba_ + pixel * 4;
        if (c[3] == 0) return;
        Uint8* p =
            static_cast<Uint8*>(screen_->pixels) + y * screen_->pitch + x * f_->BytesPerPixel;
        if (fast_) {
            Uint32& to = *reinterpret_cast<Uint32*>(p);
            to = c[3] == 255 ? packed_[pixel] | (to & f_->Amask) : blended(to, c);
            return;
        }
        Uint32 below = 0;
        std::copy(p, p + f_->BytesPerPixel, reinterpret_cast<Uint8*>(&below));
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(below, f_, &r, &g, &b);
        const Uint32 over =
            SDL_MapRGB(f_, mix(r, c[0], c[3]), mix(g, c[1], c[3]), mix(b, c[2], c[3]));
        std::copy(reinterpret_cast<const Uint8*>(&over),
                  reinterpret_cast<const Uint8*>(&over) + f_->BytesPerPixel, p);
    }

    // On a 32-bit screen, row y's pixels and the painting of one of them.
    bool fast() const { return fast_; }
    Uint32* row(int y) const {
        return reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen_->pixels) + y * screen_->pitch);
    }
    void paint(Uint32& to, size_t pixel) const {
        const uint8_t* c = rgba_ + pixel * 4;
        if (c[3] == 255) {
            to = packed_[pixel] | (to & f_->Amask);
        } else if (c[3] != 0) {
            to = blended(to, c);
        }
    }

private:
    // above * alpha + below * (255 - alpha), over 255, rounded; the shifts divide by 255 exactly
    // for every value the sum takes.
    static Uint8 mix(Uint32 below, Uint32 above, Uint32 alpha) {
        const Uint32 sum = above * alpha + below * (255 - alpha) + 127;
        return static_cast<Uint8>((sum + 1 + (sum >> 8)) >> 8);
    }
    Uint32 blended(Uint32 below, const uint8_t* c) const {
        return static_cast<Uint32>(mix((below & f_->Rmask) >> f_->Rshift, c[0], c[3]))
                   << f_->Rshift |
               static_cast<Uint32>(mix((below & f_->Gmask) >> f_->Gshift, c[1], c[3]))
                   << f_->Gshift |
               static_cast<Uint32>(mix((below & f_->Bmask) >> f_->Bshift, c[2], c[3]))
                   << f_->Bshift |
               (below & f_->Amask);
    }

    SDL_Surface* screen_;
    const SDL_PixelFormat* f_;
    const uint8_t* rgba_;
    bool fast_ = false;
    std::vector<Uint32> packed_;
};

// The part of the view that lies on the screen.
struct Clip {
    int left, top, right, bottom;  // screen pixels, right and bottom excluded
};

size_t imageIndex(int tile, const ScaledTiles& tiles) {
    return static_cast<size_t>(tile) < tiles.clear.size() ? static_cast<size_t>(tile) : 0;
}

// Cells of a pixel or more: each cell's reduced tile from its corner, as the usual view blits
// whole tiles.
void drawCells(Editor& editor, MapLayer& layer, const LayerView& view, const ScaledTiles& tiles,
               const ScreenPainter& painter, const Clip& clip, std::vector<SDL_Rect>& shades) {
    const int cw = layer.cellWidth, ch = layer.cellHeight, level = view.level;
    const int side = tiles.side;
    const long long firstRow = std::max(view.offsetY, 0);
    const long long firstColumn = std::max(view.offsetX, 0);
    // Where each column in view starts, worked out once rather than for every row.
    std::vector<int> starts;
    for (long long column = firstColumn; column < layer.width; ++column) {
        const long long x = cellStart(column - view.offsetX, cw, level);
        if (x > view.rect.w) break;
        starts.push_back(static_cast<int>(x));
    }
    for (long long row = firstRow; row < layer.height; ++row) {
        const long long y = cellStart(row - view.offsetY, ch, level);
        if (y >= view.rect.h) break;
        const size_t rowStart = static_cast<size_t>(row) * layer.width;
        for (size_t c = 0; c < starts.size(); ++c) {
            const long long column = firstColumn + static_cast<long long>(c);
            const long long x = starts[c];
            const int stored = layer.tiles[rowStart + column];
            const int sx = view.rect.x + static_cast<int>(x);
            const int sy = view.rect.y + static_cast<int>(y);
            if (isMarkerTile(stored, editor.tileCount)) {
                editor.shownMarkers.note(stored, editor.tileCount, static_cast<int>(column),
                                         static_cast<int>(row), sx, sy);
            }
            const size_t index = imageIndex(shownTile(stored, editor.tileCount), tiles);
            if (!tiles.clear[index]) {
                const size_t first = index * side * side;
                for (int j = std::max(0, clip.top - sy); j < side && sy + j < clip.bottom; ++j) {
                    for (int i = std::max(0, clip.left - sx); i < side && sx + i < clip.right;
                         ++i) {
                        painter.put(sx + i, sy + j, first + j * side + i);
                    }
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
                      const ScaledTiles& tiles, const ScreenPainter& painter, const Clip& clip,
                      std::vector<SDL_Rect>& shades) {
    const int cw = layer.cellWidth, ch = layer.cellHeight, level = view.level;
    const size_t side = static_cast<size_t>(tiles.side);
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
        const int sy = view.rect.y + y;
        if (sy < clip.top || sy >= clip.bottom) continue;
        const int end = std::min<int>(static_cast<int>(columns.size()), clip.right - view.rect.x);
        const int begin = std::max(0, clip.left - view.rect.x);
        if (painter.fast()) {
            Uint32* out = painter.row(sy) + view.rect.x;
            const int count = static_cast<int>(tiles.clear.size());
            for (int x = begin; x < end; ++x) {
                const int tile = rowTiles[columns[x]];
                if (tile == kSeeThroughTile) continue;
                const int shown = shownTile(tile, editor.tileCount);
                painter.paint(out[x], (shown < count ? shown : 0) * side * side);
            }
            continue;
        }
        for (int x = begin; x < end; ++x) {
            const size_t index =
                imageIndex(shownTile(rowTiles[columns[x]], editor.tileCount), tiles);
            painter.put(view.rect.x + x, sy, index * side * side);
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
    const ScreenPainter painter(screen, tiles);
    const Clip clip{std::max(0, static_cast<int>(view.rect.x)),
                    std::max(0, static_cast<int>(view.rect.y)),
                    std::min(screen->w, view.rect.x + view.rect.w),
                    std::min(screen->h, view.rect.y + view.rect.h)};
    // Cells of one pixel show the same either way; a pixel at a time is the quicker.
    const bool wholePixels = cellStart(1, layer.cellWidth, view.level) >= 2 &&
                             cellStart(1, layer.cellHeight, view.level) >= 2;
    // A pick's highlight is shaded once the pixels are let go: blits need them unlocked.
    std::vector<SDL_Rect> shades;
    if (wholePixels) {
        drawCells(editor, layer, view, tiles, painter, clip, shades);
    } else {
        drawSampledCells(editor, layer, view, tiles, painter, clip, shades);
    }
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    for (const SDL_Rect& shade : shades) shadeRect(editor, shade);
}
