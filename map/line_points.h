// The points of the marker lines: the steps from one end to the other, the same in the view and
// in pictures of the map.
#pragma once

#include <cmath>
#include <utility>

// Calls plot(x, y) for every point of the line from (x1, y1) up to, not including, (x2, y2),
// stepping along the longer axis.
template <typename Plot>
void forEachLinePoint(float x1, float y1, float x2, float y2, Plot plot) {
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
            plot(y, x);
        } else {
            plot(x, y);
        }
        error -= dy;
        if (error < 0) {
            y += ystep;
            error += dx;
        }
    }
}
