// Reserving tile memory in huge pages.
#include "map/tile_storage.h"

#include <sys/mman.h>
#include <unistd.h>

void reserveTiles(std::vector<uint16_t>& tiles, size_t cells) {
    tiles.reserve(cells);
    // The advice covers the whole pages inside the reserved room; the system gives huge pages
    // to the aligned parts of it as they are first touched.
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t start = reinterpret_cast<uintptr_t>(tiles.data());
    const uintptr_t first = (start + page - 1) & ~(page - 1);
    const uintptr_t end = (start + cells * sizeof(uint16_t)) & ~(page - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}
