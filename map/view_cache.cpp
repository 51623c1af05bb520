// Keeping and showing the zoomed-out design window's picture.
#include "map/view_cache.h"

#include <algorithm>

#include "app/editor.h"
#include "map/zoom.h"

ViewCache::~ViewCache() {
    if (picture_) SDL_FreeSurface(picture_);
}

std::vector<long long> ViewCache::keyOf(Editor& editor, const Window& window) const {
    const SDL_PixelFormat* f = editor.screen->format;
    std::vector<long long> key = {window.rect.x,
                                  window.rect.y,
                                  window.rect.w,
                                  window.rect.h,
                                  window.zoomLevel,
                                  f->BitsPerPixel,
                                  f->Rmask,
                                  f->Gmask,
                                  f->Bmask,
                                  editor.tileCount,
                                  static_cast<long long>(editor.tileImages->images.size())};
    for (const std::string& name : window.layerNames) {
        const MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer) continue;
        key.insert(key.end(), {static_cast<long long>(layer->id), layer->width, layer->height,
                               layer->cellWidth, layer->cellHeight, layer->visible,
                               layer->checkerBackground, layer->number == 1});
    }
    return key;
}

std::vector<std::pair<int, int>> ViewCache::offsetsOf(Editor& editor, const Window& window) const {
    std::vector<std::pair<int, int>> offsets;
    for (const std::string& name : window.layerNames) {
        if (const MapLayer* layer = findWindowLayer(editor, window, name)) {
            offsets.emplace_back(layer->offsetX, layer->offsetY);
        }
    }
    return offsets;
}

namespace {
// Whether a marker of the layer lies in columns [left, right] and rows [top, bottom].
bool markerWithin(Editor& editor, MapLayer& layer, long long left, long long right, long long top,
                  long long bottom) {
    const std::vector<uint32_t>& markers =
        editor.markerIndexes[layer.id].markersOf(layer, editor.tileCount);
    const auto width = static_cast<uint32_t>(layer.width);
    const auto first = std::lower_bound(markers.begin(), markers.end(),
                                        static_cast<uint32_t>(std::max(0LL, top)) * width);
    for (auto at = first; at != markers.end() && *at / width <= bottom; ++at) {
        if (*at % width >= left && *at % width <= right) return true;
    }
    return false;
}
}  // namespace

bool ViewCache::shift(Editor& editor, const Window& window,
                      const std::vector<std::pair<int, int>>& now, SDL_Rect& uncovered) {
    const int level = window.zoomLevel;
    long long dx = 0, dy = 0;
    bool first = true;
    size_t i = 0;
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer) continue;
        const auto [oldX, oldY] = offsets_[i];
        const auto [newX, newY] = now[i++];
        if (!layer->visible) continue;
        const long long cx = static_cast<long long>(oldX - newX) * layer->cellWidth;
        const long long cy = static_cast<long long>(oldY - newY) * layer->cellHeight;
        const long long px = toScreen(cx, level), py = toScreen(cy, level);
        // Only a move by whole pixels, the same for every layer, moves the picture as it is.
        if (fromScreen(px, level) != cx || fromScreen(py, level) != cy) return false;
        if (!first && (px != dx || py != dy)) return false;
        first = false;
        dx = px;
        dy = py;
        const long long across = wholeCellsIn(window.rect.w, layer->cellWidth, level) + 2;
        const long long down = wholeCellsIn(window.rect.h, layer->cellHeight, level) + 2;
        if (markerWithin(editor, *layer, std::min(oldX, newX), std::max(oldX, newX) + across,
                         std::min(oldY, newY), std::max(oldY, newY) + down)) {
            return false;
        }
    }
    if (dx != 0 && dy != 0) return false;
    if (2 * std::abs(dx) >= window.rect.w || 2 * std::abs(dy) >= window.rect.h) return false;
    // The checkerboard stays with the window: the move must keep its squares where they were.
    const long long period = 2 * std::max<long long>(1, toScreen(kTileEdge / 2, level));
    if (dx % period != 0 || dy % period != 0) return false;
    const int w = window.rect.w, h = window.rect.h;
    const int sx = static_cast<int>(dx), sy = static_cast<int>(dy);
    SDL_Rect from{static_cast<Sint16>(std::max(0, -sx)), static_cast<Sint16>(std::max(0, -sy)),
                  static_cast<Uint16>(w - std::abs(sx)), static_cast<Uint16>(h - std::abs(sy))};
    SDL_Rect to{static_cast<Sint16>(window.rect.x + std::max(0, sx)),
                static_cast<Sint16>(window.rect.y + std::max(0, sy)), 0, 0};
    if (SDL_BlitSurface(picture_, &from, editor.screen, &to) != 0) return false;
    uncovered = SDL_Rect{0, 0, 0, 0};
    if (sx > 0) uncovered = {window.rect.x, window.rect.y, static_cast<Uint16>(sx), window.rect.h};
    if (sx < 0) {
        uncovered = {static_cast<Sint16>(window.rect.x + w + sx), window.rect.y,
                     static_cast<Uint16>(-sx), window.rect.h};
    }
    if (sy > 0) uncovered = {window.rect.x, window.rect.y, window.rect.w, static_cast<Uint16>(sy)};
    if (sy < 0) {
        uncovered = {window.rect.x, static_cast<Sint16>(window.rect.y + h + sy), window.rect.w,
                     static_cast<Uint16>(-sy)};
    }
    return true;
}

namespace {
// Cells past a written block whose pixels may show it: the view below 1:32 shows each block of
// up to 8 x 8 cells by its corner cell.
constexpr int kSampledReach = 8;

// The screen rectangle that shows the block's cells of a layer in the window, with room for a
// tile reaching past its cell and for pixels rounded either way.
SDL_Rect screenOf(const ChangedBlock& block, const MapLayer& layer, const Window& window) {
    const int level = window.zoomLevel;
    const long long reach = std::max<long long>(toScreen(kTileEdge, level), 2) + 1;
    const long long x0 =
        cellStart(block.left - kSampledReach - layer.offsetX, layer.cellWidth, level);
    const long long x1 =
        cellStart(block.right + kSampledReach - layer.offsetX, layer.cellWidth, level) + reach;
    const long long y0 =
        cellStart(block.top - kSampledReach - layer.offsetY, layer.cellHeight, level);
    const long long y1 =
        cellStart(block.bottom + kSampledReach - layer.offsetY, layer.cellHeight, level) + reach;
    // Within the window: what lies outside it is not drawn anyway.
    const long long left = std::max<long long>(x0 - 1, 0);
    const long long top = std::max<long long>(y0 - 1, 0);
    const long long right = std::min<long long>(x1, window.rect.w);
    const long long bottom = std::min<long long>(y1, window.rect.h);
    if (right <= left || bottom <= top) return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{static_cast<Sint16>(window.rect.x + left),
                    static_cast<Sint16>(window.rect.y + top), static_cast<Uint16>(right - left),
                    static_cast<Uint16>(bottom - top)};
}

SDL_Rect unite(const SDL_Rect& a, const SDL_Rect& b) {
    if (a.w == 0 || a.h == 0) return b;
    if (b.w == 0 || b.h == 0) return a;
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
    return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top),
                    static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)};
}
}  // namespace

ViewCache::Redraw ViewCache::show(Editor& editor, const Window& window, SDL_Rect& part) {
    part = SDL_Rect{0, 0, 0, 0};
    shifted_ = false;
    if (!picture_ || !editor.screen) return Redraw::Whole;
    if (keyOf(editor, window) != key_) return Redraw::Whole;
    const std::vector<std::pair<int, int>> offsets = offsetsOf(editor, window);
    bool written = false;
    for (const std::string& name : window.layerNames) {
        MapLayer* layer = findWindowLayer(editor, window, name);
        if (!layer) continue;
        if (!layer->highlighted.empty()) return Redraw::Whole;
        if (layer->unseenByView.empty()) continue;
        written = true;
        if (!layer->visible) continue;
        MarkerIndex& markers = editor.markerIndexes[layer->id];
        markers.markersOf(*layer, editor.tileCount);
        if (markers.touched()) return Redraw::Whole;
        part = unite(part, screenOf(layer->unseenByView, *layer, window));
    }
    if (offsets != offsets_) {
        if (written || offsets.size() != offsets_.size() || !shift(editor, window, offsets, part)) {
            return Redraw::Whole;
        }
        shifted_ = true;
        return Redraw::Part;
    }
    // A part as big as half the window costs as much as the whole.
    if (2LL * part.w * part.h > static_cast<long long>(window.rect.w) * window.rect.h) {
        return Redraw::Whole;
    }
    SDL_Rect at = window.rect;
    SDL_BlitSurface(picture_, nullptr, editor.screen, &at);
    editor.shownMarkers = markers_;
    return written ? Redraw::Part : Redraw::None;
}

void ViewCache::keep(Editor& editor, const Window& window, const SDL_Rect* part) {
    SDL_Surface* screen = editor.screen;
    if (!screen) return;
    if (!picture_ || picture_->w != window.rect.w || picture_->h != window.rect.h ||
        picture_->format->BitsPerPixel != screen->format->BitsPerPixel) {
        if (picture_) SDL_FreeSurface(picture_);
        const SDL_PixelFormat* f = screen->format;
        picture_ = SDL_CreateRGBSurface(SDL_SWSURFACE, window.rect.w, window.rect.h,
                                        f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, 0);
        key_.clear();
        if (!picture_) return;
    }
    // A moved picture is kept whole; otherwise only the part drawn again changed.
    SDL_Rect from = part && !key_.empty() && !shifted_ ? *part : window.rect;
    SDL_Rect to{static_cast<Sint16>(from.x - window.rect.x),
                static_cast<Sint16>(from.y - window.rect.y), 0, 0};
    if (SDL_BlitSurface(screen, &from, picture_, &to) != 0) {
        key_.clear();
        return;
    }
    for (const std::string& name : window.layerNames) {
        if (MapLayer* layer = findWindowLayer(editor, window, name)) {
            layer->unseenByView = ChangedBlock{};
        }
    }
    key_ = keyOf(editor, window);
    offsets_ = offsetsOf(editor, window);
    shifted_ = false;
    markers_ = editor.shownMarkers;
}

size_t ViewCache::bytes() const {
    return picture_ ? static_cast<size_t>(picture_->pitch) * picture_->h : 0;
}
