// The zoomed-out design window's last picture. Below 1:1 a frame reads a cell for every pixel of
// every layer, so a view that nothing changed since it was drawn is shown again from the picture
// kept, in the time of one copy. After writes to its layers only the part of the window they
// reach is drawn again over the picture, and after a scroll along one axis the picture moves and
// only the strip it uncovers is drawn. A zoom, a layer hidden or shown, a pick's highlight, a
// marker written or overwritten or scrolled past (its lines may run anywhere), or a scroll of
// half the window or more draws it afresh.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "map/marker_layout.h"

struct Editor;
struct Window;

class ViewCache {
public:
    ViewCache() = default;
    ViewCache(const ViewCache&) = delete;
    ViewCache& operator=(const ViewCache&) = delete;
    ~ViewCache();

    enum class Redraw { None, Part, Whole };
    // Shows the kept picture of the window when it is still what drawing would give (None), or
    // shows it and gives in `part` the screen rectangle that writes since have changed, for the
    // caller to draw (Part); Whole when the window must be drawn afresh.
    Redraw show(Editor& editor, const Window& window, SDL_Rect& part);
    // Keeps the window's picture as just drawn on the screen (only `part` of it, when given),
    // and notes its layers as seen.
    void keep(Editor& editor, const Window& window, const SDL_Rect* part = nullptr);
    // Lets the kept picture go: the next frame draws the window afresh.
    void forget() { key_.clear(); }
    // The bytes the kept picture takes.
    size_t bytes() const;

private:
    // What the picture depends on, apart from the cells themselves and the scroll position.
    std::vector<long long> keyOf(Editor& editor, const Window& window) const;
    // The scroll position of each layer of the window.
    std::vector<std::pair<int, int>> offsetsOf(Editor& editor, const Window& window) const;
    // After a scroll by whole pixels along one axis, with no marker near the view: shows the
    // kept picture moved by the scroll, and gives the strip it uncovers.
    bool shift(Editor& editor, const Window& window, const std::vector<std::pair<int, int>>& now,
               SDL_Rect& uncovered);

    std::vector<long long> key_;
    std::vector<std::pair<int, int>> offsets_;
    bool shifted_ = false;
    SDL_Surface* picture_ = nullptr;
    MarkerLayout markers_;
};
