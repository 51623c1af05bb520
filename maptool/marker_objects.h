// The objects a tile layer's numbered markers become in the TMX map format, found without a
// list of them all: a layer can hold millions of markers, and their objects are written as they
// are found.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "map/map_layer.h"

struct MarkerPlace {
    int column = 0;
    int row = 0;
};

class MarkerObjects {
public:
    // One pass over the layer counts its markers (the cells holding tiles from `tileCount` up;
    // the first is marker 1) by number.
    MarkerObjects(const MapLayer& layer, int tileCount);

    long long points() const { return points_; }
    long long lines() const { return static_cast<long long>(lineStarts_.size()); }
    long long count() const { return points() + lines(); }

    // Calls `point(number, place)` for every marker in the order of their numbers, row by row
    // among equal numbers: the order the path joining them runs in. It takes a pass over the
    // layer for every million markers or so, whose places are all that is held. Returns false
    // as soon as `point` does.
    bool forEachPoint(const std::function<bool(int number, MarkerPlace place)>& point) const;

    // Calls `line(places)` for each line the editor draws between markers: one for each run of
    // consecutive numbers, through the cell where it shows each number (the last in row order).
    // A number without a neighbour gets no line. Returns false as soon as `line` does.
    bool forEachLine(const std::function<bool(const std::vector<MarkerPlace>& places)>& line) const;

private:
    // Calls `found(number, cell)` for the markers numbered first .. last, row by row.
    void scan(int first, int last, const std::function<void(int number, size_t cell)>& found) const;
    MarkerPlace placeOf(size_t cell) const;

    const MapLayer& layer_;
    int tileCount_;
    long long points_ = 0;
    std::vector<uint32_t> perNumber_;  // markers of each number, from index 1
    std::vector<uint32_t> shownCell_;  // the last cell of each number, row by row
    std::vector<int> lineStarts_;      // the first number of each run of two or more
};
