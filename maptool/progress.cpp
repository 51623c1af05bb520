// The progress line of long runs.
#include "maptool/progress.h"

#include <unistd.h>

#include <cstdio>

Progress::Progress(std::string what, long long total)
    : what_(std::move(what)), total_(total > 0 ? total : 1), shown_(isatty(2) == 1) {}

Progress::~Progress() {
    // The line is cleared so that what follows on the terminal starts clean.
    if (shown_ && shownPercent_ >= 0) std::fprintf(stderr, "\r%*s\r", 40, "");
}

void Progress::advance(long long steps) {
    done_ += steps;
    if (!shown_) return;
    const int percent = static_cast<int>(done_ * 100 / total_);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    std::fprintf(stderr, "\r%s %3d%%", what_.c_str(), percent > 100 ? 100 : percent);
    std::fflush(stderr);
}
