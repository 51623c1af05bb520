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
    const long long done = done_ += steps;
    if (!shown_) return;
    const int percent = static_cast<int>(done * 100 / total_);
    // Of threads that reach a new percentage together, one shows it.
    int shown = shownPercent_;
    if (percent <= shown || !shownPercent_.compare_exchange_strong(shown, percent)) return;
    std::fprintf(stderr, "\r%s %3d%%", what_.c_str(), percent > 100 ? 100 : percent);
    std::fflush(stderr);
}
