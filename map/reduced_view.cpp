// The zoomed-out view: reduced tiles and sampled cells painted pixel by pixel.
#include "map/reduced_view.h"

#include <algorithm>
#include <vector>

#include "app/editor.h"
#include "gui/widgets.h"
#include "map/marker_layout.h"
#include "map/sampled_tiles.h"
#include "map/scaled_tiles.h"
#include "map/zoom.h"

namespace {
// Blending on a 32-bit screen three channels at a time: each channel gets a lane of 21 bits
// in a 64-bit word, room for the products below without carries between lanes.
constexpr int kLaneBits = 21;
constexpr uint64_t kLaneOnes = 1 | 1ULL << kLaneBits | 1ULL << (2 * kLaneBits);
constexpr uint64_t kLaneBytes = 0xFF * kLaneOnes;

uint64_t spread(Uint32 r, Uint32 g, Uint32 b) {
    return static_cast<uint64_t>(r) << (2 * kLaneBits) | static_cast<uint64_t>(g) << kLaneBits | b;
}

// What the hot loops paint with, copied into them so that the compiler keeps it in registers
// while they write the screen.
struct FastPixels {
    const Uint32* colour;
    const uint64_t* lanes;  // above * alpha + 127, a channel a lane
    const uint8_t* alpha;
    const uint16_t* shown;
    Uint32 amask;
    Uint8 rshift, gshift, bshift;

    // (above * alpha + below * (255 - alpha) + 127) / 255 in each lane: the shifts divide
    // by 255 exactly for every value the sum takes.
    Uint32 blend(Uint32 below, size_t pixel) const {
        const uint64_t under =
            spread(below >> rshift & 0xFF, below >> gshift & 0xFF, below >> bshift & 0xFF);
        const uint64_t sum = lanes[pixel] + under * (255 - alpha[pixel]);
        const uint64_t mixed = (sum + kLaneOnes + (sum >> 8 & kLaneBytes)) >> 8 & kLaneBytes;
        return static_cast<Uint32>(mixed >> (2 * kLaneBits)) << rshift |
               static_cast<Uint32>(mixed >> kLaneBits & 0xFF) << gshift |
               static_cast<Uint32>(mixed & 0xFF) << bshift | (below & amask);
    }
    void paint(Uint32& to, size_t pixel) const {
        const uint8_t a = alpha[pixel];
        if (a == 255) {
            to = colour[pixel] | (to & amask);
        } else if (a != 0) {
            to = blend(to, pixel);
        }
    }
    // At one pixel a tile, the stored value `tile` as it shows.
    void paintStored(Uint32& to, uint16_t tile) const { paint(to, shown[tile]); }
    // A run of `count` opaque tile pixels from `pixel` on.
    void copy(Uint32* to, size_t pixel, int count) const {
        if (amask == 0) {
            std::copy(colour + pixel, colour + pixel + count, to);
            return;
        }
        for (int i = 0; i < count; ++i) to[i] = colour[pixel + i] | (to[i] & amask);
    }
};

// Paints the pixels of reduced tiles over the screen's: on the usual 32-bit screens straight
// into its memory, with each tile pixel's screen colour worked out once for the screen.
class ScreenPainter {
public:
    ScreenPainter(SDL_Surface* screen, const ScaledTiles& tiles, int tileCount)
        : screen_(screen), f_(screen->format), rgba_(tiles.reduced.data()), tiles_(tiles) {
        fast_ = f_->BytesPerPixel == 4 && f_->Rloss == 0 && f_->Gloss == 0 && f_->Bloss == 0;
        if (fast_) pack(tileCount);
    }

    // Paints tile pixel `pixel` (its index among all the tiles' pixels) at (x, y), which the
    // caller keeps on the screen, on a screen of any format.
    void put(int x, int y, size_t pixel) const {
        if (fast_) {
            pixels().paint(row(y)[x], pixel);
            return;
        }
        const uint8_t* c = rgba_ + pixel * 4;
        if (c[3] == 0) return;
        Uint8* p =
            static_cast<Uint8*>(screen_->pixels) + y * screen_->pitch + x * f_->BytesPerPixel;
        Uint32 below = 0;
        std::copy(p, p + f_->BytesPerPixel, reinterpret_cast<Uint8*>(&below));
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(below, f_, &r, &g, &b);
        const Uint32 over =
            SDL_MapRGB(f_, mix(r, c[0], c[3]), mix(g, c[1], c[3]), mix(b, c[2], c[3]));
        std::copy(reinterpret_cast<const Uint8*>(&over),
                  reinterpret_cast<const Uint8*>(&over) + f_->BytesPerPixel, p);
    }

    // On a 32-bit screen, row y's pixels and what paints them.
    bool fast() const { return fast_; }
    Uint32* row(int y) const {
        return reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen_->pixels) + y * screen_->pitch);
    }
    FastPixels pixels() const {
        const ScaledTiles::Packed& packed = tiles_.packed;
        return FastPixels{packed.colour.data(), packed.lanes.data(), packed.alpha.data(),
                          packed.shown.data(),  f_->Amask,           f_->Rshift,
                          f_->Gshift,           f_->Bshift};
    }

private:
    // The screen colours, made again only when the screen's layout or the tile count changed.
    void pack(int tileCount) {
        ScaledTiles::Packed& packed = tiles_.packed;
        const size_t count = tiles_.reduced.size() / 4;
        const bool sameScreen = packed.rmask == f_->Rmask && packed.gmask == f_->Gmask &&
                                packed.bmask == f_->Bmask && packed.colour.size() == count + 1;
        if (!sameScreen) {
            packed.rmask = f_->Rmask;
            packed.gmask = f_->Gmask;
            packed.bmask = f_->Bmask;
            packed.colour.assign(count + 1, 0);
            packed.lanes.assign(count + 1, 0);
            packed.alpha.assign(count + 1, 0);
            for (size_t i = 0; i < count; ++i) {
                const uint8_t* c = rgba_ + i * 4;
                packed.colour[i] = static_cast<Uint32>(c[0]) << f_->Rshift |
                                   static_cast<Uint32>(c[1]) << f_->Gshift |
                                   static_cast<Uint32>(c[2]) << f_->Bshift;
                packed.lanes[i] = spread(c[0], c[1], c[2]) * c[3] + 127 * kLaneOnes;
                packed.alpha[i] = c[3];
            }
            packed.tileCount = -1;
        }
        if (tiles_.side == 1 && packed.tileCount != tileCount) {
            packed.tileCount = tileCount;
            packed.shown.resize(1 << 16);
            const size_t images = tiles_.clear.size();
            for (int tile = 0; tile < (1 << 16); ++tile) {
                const auto shown = static_cast<size_t>(shownTile(tile, tileCount));
                packed.shown[tile] = static_cast<uint16_t>(tile == kSeeThroughTile ? count
                                                           : shown < images        ? shown
                                                                                   : 0);
            }
        }
    }

    // above * alpha + below * (255 - alpha), over 255, rounded; the shifts divide by 255 exactly
    // for every value the sum takes.
    static Uint8 mix(Uint32 below, Uint32 above, Uint32 alpha) {
        const Uint32 sum = above * alpha + below * (255 - alpha) + 127;
        return static_cast<Uint8>((sum + 1 + (sum >> 8)) >> 8);
    }

    SDL_Surface* screen_;
    const SDL_PixelFormat* f_;
    const uint8_t* rgba_;
    const ScaledTiles& tiles_;
    bool fast_ = false;
};

// The part of the view that lies on the screen.
struct Clip {
    int left, top, right, bottom;  // screen pixels, right and bottom excluded
};

size_t imageIndex(int tile, const ScaledTiles& tiles) {
    return static_cast<size_t>(tile) < tiles.clear.size() ? static_cast<size_t>(tile) : 0;
}

// Notes the markers of the cells in view, columns [firstColumn, lastColumn] and rows
// [firstRow, lastRow], at their places on screen, in row-major order so that a number's last
// cell is where it shows. They come from the layer's marker index: a frame that redraws only a
// part of the window still knows every marker in view.
void noteMarkers(Editor& editor, MapLayer& layer, const LayerView& view, long long firstColumn,
                 long long lastColumn, long long firstRow, long long lastRow) {
    const std::vector<uint32_t>& markers =
        editor.markerIndexes[layer.id].markersOf(layer, editor.tileCount);
    const auto width = static_cast<uint32_t>(layer.width);
    const auto first =
        std::lower_bound(markers.begin(), markers.end(), static_cast<uint32_t>(firstRow) * width);
    for (auto at = first; at != markers.end() && *at / width <= lastRow; ++at) {
        const int column = static_cast<int>(*at % width), row = static_cast<int>(*at / width);
        if (column < firstColumn || column > lastColumn) continue;
        editor.shownMarkers.note(
            layer.tiles[*at], editor.tileCount, column, row,
            view.rect.x + cellStart(column - view.offsetX, layer.cellWidth, view.level),
            view.rect.y + cellStart(row - view.offsetY, layer.cellHeight, view.level));
    }
}

// Cells of a pixel or more: each cell's reduced tile from its corner, as the usual view blits
// whole tiles.
void drawCells(Editor& editor, MapLayer& layer, const LayerView& view, const ScaledTiles& tiles,
               const ScreenPainter& painter, const Clip& clip, std::vector<SDL_Rect>& shades) {
    const int cw = layer.cellWidth, ch = layer.cellHeight, level = view.level;
    const FastPixels px = painter.fast() ? painter.pixels() : FastPixels{};
    const int side = tiles.side;
    const int tileCount = editor.tileCount;
    const uint8_t* clear = tiles.clear.data();
    const uint8_t* opaque = tiles.opaque.data();
    const long long firstRow = std::max(view.offsetY, 0);
    const long long firstColumn = std::max(view.offsetX, 0);
    // Where each column in view starts, worked out once rather than for every row.
    std::vector<int> starts;
    for (long long column = firstColumn; column < layer.width; ++column) {
        const long long x = cellStart(column - view.offsetX, cw, level);
        if (x > view.rect.w) break;
        starts.push_back(static_cast<int>(x));
    }
    if (starts.empty()) return;
    // Only the cells that reach into the clip are painted: a part of the window redrawn costs
    // what that part holds.
    const int reach = std::max(side, static_cast<int>(cellStart(1, cw, level)));
    const size_t cBegin = static_cast<size_t>(
        std::lower_bound(starts.begin(), starts.end(), clip.left - view.rect.x - reach + 1) -
        starts.begin());
    const size_t cEnd = static_cast<size_t>(
        std::upper_bound(starts.begin(), starts.end(), clip.right - view.rect.x) - starts.begin());
    long long lastRow = firstRow;
    for (long long row = firstRow; row < layer.height; ++row) {
        const long long y = cellStart(row - view.offsetY, ch, level);
        if (y >= view.rect.h) break;
        lastRow = row;
        if (view.rect.y + y >= clip.bottom || view.rect.y + y + reach <= clip.top) continue;
        const size_t rowStart = static_cast<size_t>(row) * layer.width;
        const uint16_t* rowTiles = &layer.tiles[rowStart + firstColumn];
        // The next row, asked for early as in the sampled view below.
        if (row + 1 < layer.height) {
            for (size_t c = cBegin; c < cEnd; c += 32) {
                __builtin_prefetch(rowTiles + layer.width + c);
            }
        }
        const int sy = view.rect.y + static_cast<int>(y);
        const int top = std::max(0, clip.top - sy);
        const int bottom = std::min(side, clip.bottom - sy);
        const bool highlights = !layer.highlighted.empty();
        if (painter.fast() && !highlights && top < bottom) {
            // The usual case, with the screen rows of this row of cells found once.
            Uint32* rows[kTileEdge];
            for (int j = top; j < bottom; ++j) rows[j] = painter.row(sy + j);
            for (size_t c = cBegin; c < cEnd; ++c) {
                const int stored = rowTiles[c];
                if (stored == kSeeThroughTile) continue;
                const size_t index = imageIndex(shownTile(stored, tileCount), tiles);
                if (clear[index]) continue;
                const int sx = view.rect.x + starts[c];
                const int left = std::max(0, clip.left - sx);
                const int right = std::min(side, clip.right - sx);
                if (right <= left) continue;
                const size_t first = index * side * side;
                for (int j = top; j < bottom; ++j) {
                    const size_t from = first + j * side;
                    if (opaque[index]) {
                        px.copy(rows[j] + sx + left, from + left, right - left);
                    } else {
                        for (int i = left; i < right; ++i) px.paint(rows[j][sx + i], from + i);
                    }
                }
            }
            continue;
        }
        for (size_t c = cBegin; c < cEnd; ++c) {
            const int stored = rowTiles[c];
            if (stored == kSeeThroughTile && !highlights) continue;
            const int sx = view.rect.x + starts[c];
            const long long column = firstColumn + static_cast<long long>(c);
            const size_t index = imageIndex(shownTile(stored, tileCount), tiles);
            if (!clear[index]) {
                const size_t first = index * side * side;
                const int left = std::max(0, clip.left - sx);
                const int right = std::min(side, clip.right - sx);
                for (int j = top; j < bottom; ++j) {
                    const size_t from = first + j * side;
                    if (!painter.fast()) {
                        for (int i = left; i < right; ++i) painter.put(sx + i, sy + j, from + i);
                        continue;
                    }
                    Uint32* out = painter.row(sy + j) + sx;
                    if (opaque[index]) {
                        if (right > left) px.copy(out + left, from + left, right - left);
                        continue;
                    }
                    for (int i = left; i < right; ++i) px.paint(out[i], from + i);
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
    noteMarkers(editor, layer, view, firstColumn,
                firstColumn + static_cast<long long>(starts.size()) - 1, firstRow, lastRow);
}

// Cells smaller than a pixel: each pixel shows the cell at its corner, or from four cells a
// pixel on, the sampled cell at the corner of its block. The markers come from the index: that
// and the samples are what keep this view's cost to the pixels it paints.
void drawSampledCells(Editor& editor, MapLayer& layer, const LayerView& view,
                      const ScaledTiles& tiles, const ScreenPainter& painter, const Clip& clip,
                      std::vector<SDL_Rect>& shades) {
    const int cw = layer.cellWidth, ch = layer.cellHeight, level = view.level;
    const FastPixels px = painter.fast() ? painter.pixels() : FastPixels{};
    const size_t side = static_cast<size_t>(tiles.side);
    std::vector<int> columns;
    for (int x = 0; x < view.rect.w; ++x) {
        const long long column = view.offsetX + cellsUnder(x, cw, level);
        if (column >= layer.width) break;
        columns.push_back(static_cast<int>(column));
    }
    // Four or more cells a pixel come from the layer's sampled grid: each pixel shows the
    // cell at the corner of the block of `stride` x `stride` its own corner falls in.
    const int stride =
        SampledTiles::strideFor(std::min(cellsUnder(1, cw, level), cellsUnder(1, ch, level)));
    const uint16_t* source = layer.tiles.data();
    size_t sourceWidth = static_cast<size_t>(layer.width);
    std::vector<int> sourceColumns = columns;
    if (stride != 0) {
        const SampleGrid& grid = editor.sampledTiles[layer.id].gridOf(layer, stride);
        source = grid.cells.data();
        sourceWidth = static_cast<size_t>(grid.columns);
        for (int& column : sourceColumns) column /= stride;
    }
    auto sourceRow = [&](int y) -> const uint16_t* {
        const long long row = view.offsetY + cellsUnder(y, ch, level);
        if (row >= layer.height) return nullptr;
        return source + static_cast<size_t>(stride != 0 ? row / stride : row) * sourceWidth;
    };
    // The rows read lie far apart, too short for the processor to see a stream in them: the
    // next row's cells are asked for while this row is painted, a cache line at a time.
    const long long perPixel = std::max(1LL, cellsUnder(1, cw, level) / std::max(stride, 1));
    const int prefetchStep = static_cast<int>(std::max(1LL, 32 / perPixel));
    long long lastRow = view.offsetY;
    for (int y = 0; y < view.rect.h; ++y) {
        const long long row = view.offsetY + cellsUnder(y, ch, level);
        if (row >= layer.height) break;
        lastRow = row;
        const uint16_t* rowTiles = sourceRow(y);
        const int sy = view.rect.y + y;
        if (sy < clip.top || sy >= clip.bottom) continue;
        const int end = std::min<int>(static_cast<int>(columns.size()), clip.right - view.rect.x);
        const int begin = std::max(0, clip.left - view.rect.x);
        if (const uint16_t* next = sourceRow(y + 1)) {
            for (int x = begin; x < end; x += prefetchStep) {
                __builtin_prefetch(next + sourceColumns[x]);
            }
        }
        if (painter.fast()) {
            Uint32* out = painter.row(sy) + view.rect.x;
            for (int x = begin; x < end; ++x) {
                // Most cells of upper layers are see-through: they are passed over before any
                // table is read.
                const uint16_t tile = rowTiles[sourceColumns[x]];
                if (tile != kSeeThroughTile) px.paintStored(out[x], tile);
            }
            continue;
        }
        for (int x = begin; x < end; ++x) {
            const size_t index =
                imageIndex(shownTile(rowTiles[sourceColumns[x]], editor.tileCount), tiles);
            painter.put(view.rect.x + x, sy, index * side * side);
        }
    }
    if (columns.empty()) return;
    noteMarkers(editor, layer, view, view.offsetX, columns.back(), view.offsetY, lastRow);
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
    const ScreenPainter painter(screen, tiles, editor.tileCount);
    // The view within the screen's clip, which leaves out what a partial redraw keeps.
    const SDL_Rect& only = screen->clip_rect;
    const Clip clip{std::max<int>(view.rect.x, only.x), std::max<int>(view.rect.y, only.y),
                    std::min(view.rect.x + view.rect.w, only.x + only.w),
                    std::min(view.rect.y + view.rect.h, only.y + only.h)};
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
