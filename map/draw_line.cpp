// drawLine: white lines written straight into a surface's pixels.
#include <cmath>
#include <cstring>
#include <utility>

#include "map/map_view.h"

namespace {
void plot(SDL_Surface* surface, int x, int y) {
    if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) return;
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

void drawLine(SDL_Surface* surface, float x1, float y1, float x2, float y2) {
    if (!surface || !surface->pixels) return;
    if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0) return;
    if (x1 >= surface->w || x2 >= surface->w || y1 >= surface->h || y2 >= surface->h) return;
    const bool steep = std::fabs(y2 - y1) > std::fabs(x2 - x1);
    if (steep) {
        std::swap(x1, y1);
        std::swap(x2, y2);
    }
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const float dx = x2 - x1;
    const float dy = std::fabs(y2 - y1);
    float error = dx * 0.5f;
    const int ystep = y1 < y2 ? 1 : -1;
    int y = static_cast<int>(y1);
    const int end = static_cast<int>(x2);
    for (int x = static_cast<int>(x1); x < end; ++x) {
        if (steep) {
            plot(surface, y, x);
        } else {
            plot(surface, x, y);
        }
        error -= dy;
        if (error < 0) {
            y += ystep;
            error += dx;
        }
    }
}
