// Progress of a long run, shown on standard error only when it is a terminal.
#pragma once

#include <atomic>
#include <string>

class Progress {
public:
    // `total` steps of work described by `what` ("exporting", say).
    Progress(std::string what, long long total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // May be called from several threads at once.
    void advance(long long steps);

private:
    std::string what_;
    long long total_;
    std::atomic<long long> done_{0};
    std::atomic<int> shownPercent_{-1};
    bool shown_;
};
