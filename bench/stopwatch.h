// Timing pieces of work with the steady clock, for benchmarks that time more than one thing
// per iteration (the work and its floor).
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// The seconds `work` took.
template <typename Work>
double secondsOf(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The times of one piece of work over the iterations. The median stands for them: on a machine
// shared with other work, a few runs are slow for reasons of their own.
struct Timings {
    std::vector<double> seconds;

    template <typename Work>
    double time(Work&& work) {
        seconds.push_back(secondsOf(work));
        return seconds.back();
    }
    double median() const {
        if (seconds.empty()) return 0;
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        const size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double best() const {
        return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end());
    }
};
