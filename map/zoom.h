// Zoom levels: a view at level L shows each pixel of a cell 2^L screen pixels wide, from four
// times the usual size (L = 2) down to 1/128 (L = -7), where a 4096-cell side takes 512 pixels.
// A cell's position and size on screen follow from its layer's cell size scaled by 2^L; the
// scroll position stays in cells.
#pragma once

#include <string>

#include "map/map_layer.h"

constexpr int kLargestZoomLevel = 2;
constexpr int kSmallestZoomLevel = -7;

// Screen pixels for `pixels` map pixels at `level`, rounded towards zero.
inline long long toScreen(long long pixels, int level) {
    if (level >= 0) return pixels * (1LL << level);
    return pixels >= 0 ? pixels >> -level : -(-pixels >> -level);
}

// Map pixels under `pixels` screen pixels at `level`, rounded towards zero.
inline long long fromScreen(long long pixels, int level) {
    if (level < 0) return pixels * (1LL << -level);
    return pixels >= 0 ? pixels >> level : -(-pixels >> level);
}

// The column (or row) under a point `pixels` from the view's corner, counted from the first
// cell shown; rounded towards zero as at level 0 ever since.
inline long long cellsUnder(long long pixels, int cellSize, int level) {
    return fromScreen(pixels, level) / cellSize;
}

// Where `cells` cells from the first one shown start on screen, from the view's corner.
inline long long cellStart(long long cells, int cellSize, int level) {
    return toScreen(cells * cellSize, level);
}

// The whole cells a view of `pixels` screen pixels holds: scrolling stops once the last is in
// view.
inline long long wholeCellsIn(long long pixels, int cellSize, int level) {
    return cellsUnder(pixels, cellSize, level);
}

// The cells one scroll step moves at `level`: the cells under one tile edge of the screen at
// levels below 1, never fewer than one.
inline int scrollStepCells(int cellSize, int level) {
    const long long cells = level < 0 ? cellsUnder(kTileEdge, cellSize, level) : 1;
    return cells < 1 ? 1 : static_cast<int>(cells);
}

// A numbered marker's box at `level`: a tile's size, never under two pixels, so that it
// shows at every level. The view and the map tool's pictures both draw it so.
inline int markerBoxSide(int level) {
    const long long side = toScreen(kTileEdge, level);
    return side < 2 ? 2 : static_cast<int>(side);
}

// The level as a scale, "4:1" to "1:128".
std::string zoomText(int level);
