// The zoomed-out design window's last picture. Below 1:1 a frame reads a cell for every pixel of
// every layer, so a view that nothing changed since it was drawn is shown again from the picture
// kept, in the time of one copy; a write to any of its layers, a scroll, a zoom or a layer
// hidden or shown draws it afresh.
#pragma once

#include <SDL.h>

#include <cstdint>
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

    // Shows the kept picture of the window when it is still what drawing would give; false
    // when the window must be drawn.
    bool show(Editor& editor, const Window& window);
    // Keeps the window's picture as just drawn on the screen, and notes its layers as seen.
    void keep(Editor& editor, const Window& window);
    // The bytes the kept picture takes.
    size_t bytes() const;

private:
    // What the picture depends on, apart from the cells themselves.
    std::vector<long long> keyOf(Editor& editor, const Window& window) const;

    std::vector<long long> key_;
    SDL_Surface* picture_ = nullptr;
    MarkerLayout markers_;
};
