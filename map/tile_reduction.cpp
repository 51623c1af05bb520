// Averaging squares of a tile's pixels.
#include "map/tile_reduction.h"

std::vector<uint8_t> reduceTile(const uint8_t* rgba, int edge, size_t stride, int factor) {
    const int side = edge / factor;
    std::vector<uint8_t> out(static_cast<size_t>(side) * side * 4);
    const unsigned count = static_cast<unsigned>(factor) * factor;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            unsigned long weighted[3] = {0, 0, 0};
            unsigned long alpha = 0;
            for (int j = 0; j < factor; ++j) {
                const uint8_t* p = rgba + (y * factor + j) * stride + x * factor * 4;
                for (int i = 0; i < factor; ++i, p += 4) {
                    for (int c = 0; c < 3; ++c)
                        weighted[c] += static_cast<unsigned long>(p[c]) * p[3];
                    alpha += p[3];
                }
            }
            uint8_t* to = &out[(static_cast<size_t>(y) * side + x) * 4];
            for (int c = 0; c < 3; ++c) {
                to[c] = alpha == 0 ? 0 : static_cast<uint8_t>((weighted[c] + alpha / 2) / alpha);
            }
            to[3] = static_cast<uint8_t>((alpha + count / 2) / count);
        }
    }
    return out;
}
