// drawLine: white lines written straight into a surface's pixels.
#include <cstring>

#include "map/line_points.h"
#include "map/map_view.h"

namespace {
void plot(SDL_Surface* surface, long long x, long long y) {
    // Inside the surface's clip, which is the whole surface unless a part is being redrawn.
    const SDL_Rect& clip = surface->clip_rect;
    if (x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h) return;
    Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch +
               x * surface->format->BytesPerPixel;
    switch (surface->format->BytesPerPixel) {
        case 1:
            *p = 0xFF;
            break;
        case 2: {
            Uint16 v = 0xFFFF;
            std::memcpy(p, &v, 2);
            break;
        }
        case 3:
            p[0] = p[1] = p[2] = 0xFF;
            break;
        case 4: {
            Uint32 v = 0x00FFFFFF;
            std::memcpy(p, &v, 4);
            break;
        }
    }
}
}  // namespace

void drawLine(SDL_Surface* surface, int x1, int y1, int x2, int y2) {
    if (!surface || !surface->pixels) return;
    if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0) return;
    if (x1 >= surface->w || x2 >= surface->w || y1 >= surface->h || y2 >= surface->h) return;
    forEachLinePoint(x1, y1, x2, y2, [surface](long long x, long long y) { plot(surface, x, y); });
}
