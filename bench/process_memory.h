// What the benchmark process holds in memory: its resident size, the peak of it, and the heap
// it has handed out.
#pragma once

#include <cstddef>

// The resident set (VmRSS), in bytes.
size_t residentBytes();
// The highest resident set since start-up or since resetPeakResident (VmHWM), in bytes.
size_t peakResidentBytes();
// Starts the peak afresh at the present resident set.
void resetPeakResident();
// What malloc has handed out and not had back, in bytes, whether or not it is resident.
size_t heapBytesInUse();
// Gives the heap's free pages back to the system, so that the next growth of the resident set
// is new memory and not pages the allocator kept from earlier work.
void releaseFreeHeap();

constexpr double kMegabyte = 1024.0 * 1024.0;
