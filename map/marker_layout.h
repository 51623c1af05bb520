// How numbered markers show: which cells are markers, the tile and box drawn for each, where
// its number shows and which numbers the white lines join. The view and pictures of the map
// both draw from this description.
#pragma once

#include <map>
#include <vector>

#include "map/map_layer.h"

// A cell holding a tile from the tile count up is a numbered marker: tileCount is marker 1.
inline bool isMarkerTile(int tile, int tileCount) {
    return tile >= tileCount;
}

// The tile drawn in a cell: a marker's cell shows the marker box tile under its box.
inline int shownTile(int tile, int tileCount) {
    return isMarkerTile(tile, tileCount) ? kMarkerBoxTile : tile;
}

// Where one marker number shows: its cell, and the corner of its box in pixels.
struct MarkerPlace {
    int column = 0;
    int row = 0;
    long long x = 0;
    long long y = 0;
};

// A white line between the centres of two boxes, from (x1, y1) up to, not including, (x2, y2).
struct MarkerLine {
    long long x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    long long top() const { return y1 < y2 ? y1 : y2; }
    long long bottom() const { return y1 < y2 ? y2 : y1; }
};

// The markers met while cells are visited in row-major order. Each number shows once, in the
// last cell met that holds it: a black square box of `boxSide` pixels at the cell's corner with
// the number in white. A line joins the box centres of each two consecutive numbers that show;
// a number whose neighbours do not show gets none.
class MarkerLayout {
public:
    explicit MarkerLayout(int boxSide = kTileEdge) : boxSide_(boxSide) {}

    void clear() { places_.clear(); }
    void setBoxSide(int side) { boxSide_ = side; }
    int boxSide() const { return boxSide_; }

    // Notes the marker tile `tile` met in cell (column, row), whose corner is at (x, y).
    void note(int tile, int tileCount, int column, int row, long long x, long long y) {
        places_[tile - tileCount] = MarkerPlace{column, row, x, y};
    }

    bool empty() const { return places_.empty(); }
    // The places by marker index (number - 1), in the order of the numbers.
    const std::map<int, MarkerPlace>& places() const { return places_; }
    // The runs of consecutive numbers that show, two or more each: the paths the lines follow.
    std::vector<std::vector<MarkerPlace>> paths() const;
    // The lines along the paths, in the order of the numbers.
    std::vector<MarkerLine> lines() const;

private:
    int boxSide_;
    std::map<int, MarkerPlace> places_;
};

// The layout of a whole layer's markers, each cell's corner at its column and row times the
// layer's cell size.
MarkerLayout layerMarkers(const MapLayer& layer, int tileCount);
