// Reading the process's memory from /proc and from malloc.
#include "bench/process_memory.h"

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {
// A "Name:   1234 kB" line of /proc/self/status, in bytes; 0 when it is missing.
size_t statusBytes(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(name);
    while (std::getline(status, line)) {
        if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':') {
            return static_cast<size_t>(std::stoull(line.substr(length + 1))) * 1024;
        }
    }
    return 0;
}
}  // namespace

size_t residentBytes() {
    return statusBytes("VmRSS");
}

size_t peakResidentBytes() {
    return statusBytes("VmHWM");
}

void resetPeakResident() {
    // "5" resets the peak resident set to the present one (since Linux 4.0).
    if (FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

size_t heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void releaseFreeHeap() {
    malloc_trim(0);
}
