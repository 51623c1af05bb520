// The points of the marker lines: the steps from one end to the other, the same in the view and
// in pictures of the map, and the part of them that falls in a band of rows.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <utility>

// A line from (x1, y1) up to, not including, (x2, y2), stepping one pixel at a time along the
// longer axis. Ends are whole pixels, so the error term is kept doubled, in integers.
class LineSteps {
public:
    LineSteps(long long x1, long long y1, long long x2, long long y2) {
        steep_ = std::llabs(y2 - y1) > std::llabs(x2 - x1);
        if (steep_) {
            std::swap(x1, y1);
            std::swap(x2, y2);
        }
        if (x1 > x2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        major_ = x1;
        minor_ = y1;
        steps_ = x2 - x1;
        rise_ = std::llabs(y2 - y1);
        minorStep_ = y1 < y2 ? 1 : -1;
    }

    long long count() const { return steps_; }

    // Calls plot(x, y) for steps [first, last).
    template <typename Plot>
    void plot(long long first, long long last, Plot plot) const {
        if (first >= last) return;
        const long long taken = minorStepsBefore(first);
        long long error = steps_ - 2 * first * rise_ + 2 * taken * steps_;
        long long minor = minor_ + minorStep_ * taken;
        for (long long n = first; n < last; ++n) {
            const long long major = major_ + n;
            if (steep_) {
                plot(minor, major);
            } else {
                plot(major, minor);
            }
            error -= 2 * rise_;
            if (error < 0) {
                minor += minorStep_;
                error += 2 * steps_;
            }
        }
    }

    // The steps whose points lie in rows [top, bottom): they follow each other.
    std::pair<long long, long long> stepsInRows(long long top, long long bottom) const {
        if (top >= bottom) return {0, 0};
        if (steep_) {
            return {std::max(0LL, std::min(steps_, top - major_)),
                    std::max(0LL, std::min(steps_, bottom - major_))};
        }
        // The row moves one way only, one minor step at a time.
        if (minorStep_ > 0) {
            return {firstWithMinorSteps(top - minor_), firstWithMinorSteps(bottom - minor_)};
        }
        return {firstWithMinorSteps(minor_ - bottom + 1), firstWithMinorSteps(minor_ - top + 1)};
    }

private:
    // Minor steps taken before step n: the least k that keeps the doubled error,
    // steps - 2 n rise + 2 k steps, from going below 0.
    long long minorStepsBefore(long long n) const {
        const long long owed = 2 * n * rise_ - steps_;
        return owed <= 0 ? 0 : (owed + 2 * steps_ - 1) / (2 * steps_);
    }

    // The first step (or the count) with at least k minor steps before it.
    long long firstWithMinorSteps(long long k) const {
        long long low = 0, high = steps_;
        while (low < high) {
            const long long middle = low + (high - low) / 2;
            if (minorStepsBefore(middle) >= k) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return low;
    }

    bool steep_ = false;
    long long major_ = 0, minor_ = 0, steps_ = 0, rise_ = 0;
    int minorStep_ = 1;
};

// Calls plot(x, y) for every point of the line from (x1, y1) up to, not including, (x2, y2).
template <typename Plot>
void forEachLinePoint(long long x1, long long y1, long long x2, long long y2, Plot plot) {
    const LineSteps line(x1, y1, x2, y2);
    line.plot(0, line.count(), plot);
}
