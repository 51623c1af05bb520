// Finding a layer's marker objects a pass at a time.
#include "maptool/marker_objects.h"

#include <algorithm>

namespace {
// The most marker places held at once while they are put in the order of their numbers.
constexpr long long kPlacesAtOnce = 1 << 20;
// Cells looked at together: a block without a marker is passed over as a whole.
constexpr size_t kBlock = 64;
}  // namespace

MarkerObjects::MarkerObjects(const MapLayer& layer, int tileCount)
    : layer_(layer), tileCount_(tileCount) {
    scan(1, 65536 - tileCount, [this](int number, size_t cell) {
        if (perNumber_.empty()) {
            perNumber_.assign(static_cast<size_t>(65536 - tileCount_ + 1), 0);
            shownCell_.assign(perNumber_.size(), 0);
        }
        ++perNumber_[static_cast<size_t>(number)];
        shownCell_[static_cast<size_t>(number)] = static_cast<uint32_t>(cell);
        ++points_;
    });
    for (size_t n = 1; n < perNumber_.size(); ++n) {
        const bool shown = perNumber_[n] > 0;
        const bool next = n + 1 < perNumber_.size() && perNumber_[n + 1] > 0;
        const bool previous = perNumber_[n - 1] > 0;
        if (shown && next && !previous) lineStarts_.push_back(static_cast<int>(n));
    }
}

void MarkerObjects::scan(int first, int last,
                         const std::function<void(int number, size_t cell)>& found) const {
    const uint16_t* tiles = layer_.tiles.data();
    const size_t cells = layer_.tiles.size();
    const uint16_t lowest = static_cast<uint16_t>(std::max(0, tileCount_ + first - 1));
    if (tileCount_ + first - 1 > 65535 || first > last) return;
    for (size_t block = 0; block < cells; block += kBlock) {
        const size_t end = std::min(cells, block + kBlock);
        uint16_t highest = 0;
        for (size_t i = block; i < end; ++i) highest = std::max(highest, tiles[i]);
        if (highest < lowest) continue;
        for (size_t i = block; i < end; ++i) {
            const int number = tiles[i] - tileCount_ + 1;
            if (number >= first && number <= last) found(number, i);
        }
    }
}

MarkerPlace MarkerObjects::placeOf(size_t cell) const {
    const size_t width = static_cast<size_t>(std::max(1, layer_.width));
    return {static_cast<int>(cell % width), static_cast<int>(cell / width)};
}

bool MarkerObjects::forEachPoint(
    const std::function<bool(int number, MarkerPlace place)>& point) const {
    const int highest = static_cast<int>(perNumber_.size()) - 1;
    std::vector<uint32_t> places;
    std::vector<long long> next;
    for (int first = 1; first <= highest;) {
        // A range of numbers whose markers are held at once; a number with more markers than
        // that alone is found in row order without holding them.
        long long held = perNumber_[static_cast<size_t>(first)];
        int last = first;
        while (last < highest &&
               held + perNumber_[static_cast<size_t>(last) + 1] <= kPlacesAtOnce) {
            held += perNumber_[static_cast<size_t>(++last)];
        }
        if (held == 0) {
            first = last + 1;
            continue;
        }
        bool ok = true;
        if (held > kPlacesAtOnce) {
            scan(first, last,
                 [&](int number, size_t cell) { ok = ok && point(number, placeOf(cell)); });
        } else {
            // Each number's markers go to their own stretch of `places`, in row order.
            next.assign(static_cast<size_t>(last - first + 2), 0);
            for (int n = first; n <= last; ++n) {
                next[static_cast<size_t>(n - first + 1)] =
                    next[static_cast<size_t>(n - first)] + perNumber_[static_cast<size_t>(n)];
            }
            places.resize(static_cast<size_t>(held));
            scan(first, last, [&](int number, size_t cell) {
                places[static_cast<size_t>(next[static_cast<size_t>(number - first)]++)] =
                    static_cast<uint32_t>(cell);
            });
            int number = first;
            for (size_t i = 0; ok && i < places.size(); ++i) {
                while (perNumber_[static_cast<size_t>(number)] == 0 ||
                       static_cast<long long>(i) >= next[static_cast<size_t>(number - first)]) {
                    ++number;
                }
                ok = point(number, placeOf(places[i]));
            }
        }
        if (!ok) return false;
        first = last + 1;
    }
    return true;
}

bool MarkerObjects::forEachLine(
    const std::function<bool(const std::vector<MarkerPlace>& places)>& line) const {
    std::vector<MarkerPlace> places;
    for (const int start : lineStarts_) {
        places.clear();
        for (size_t n = static_cast<size_t>(start); n < perNumber_.size() && perNumber_[n] > 0;
             ++n) {
            places.push_back(placeOf(shownCell_[n]));
        }
        if (!line(places)) return false;
    }
    return true;
}
