// Tiles drawn smaller than their pixels: each square of pixels becomes one pixel of their
// average. The view's zoomed-out levels and the map tool's small pictures both use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A square tile of `edge` x `edge` straight-alpha RGBA pixels, rows `stride` bytes apart, shrunk
// `factor` times each way (factor divides edge). Each factor x factor square becomes a pixel
// whose alpha is the square's mean alpha and whose colour is the mean of its pixels' colours
// weighted by their alpha, so that transparent pixels lend the average no colour; both are
// rounded to the nearest whole value.
std::vector<uint8_t> reduceTile(const uint8_t* rgba, int edge, size_t stride, int factor);
