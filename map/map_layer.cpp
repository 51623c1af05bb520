// Running tile numbers, layer identities and the layer size limit's words.
#include "map/map_layer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

void reserveTiles(std::vector<uint16_t>& tiles, size_t count) {
    tiles.reserve(count);
    constexpr size_t kHugePage = size_t{2} << 20;
    const size_t bytes = tiles.capacity() * sizeof(uint16_t);
    if (bytes < 2 * kHugePage) return;
    // Only whole pages inside the array; the system uses huge pages where they fit, and
    // ignores the hint where it has none.
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(tiles.data());
    const uintptr_t first = (start + page - 1) / page * page;
    const uintptr_t end = (start + bytes) / page * page;
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

void fillTiles(MapLayer& layer, int step, uint16_t start) {
    layer.noteWritten(0, 0, layer.width, layer.height);
    if (step == 0) {
        std::fill(layer.tiles.begin(), layer.tiles.end(), start);
        return;
    }
    uint32_t tile = start;
    for (uint16_t& cell : layer.tiles) {
        cell = static_cast<uint16_t>(tile);
        tile += static_cast<uint32_t>(step);
    }
}

uint64_t newLayerId() {
    static std::atomic<uint64_t> made{0};
    return ++made;
}

std::string layerLimitText() {
    const std::string side = std::to_string(kMaxLayerSide);
    return "a layer may hold at most " + std::to_string(kMaxLayerCells) + " cells (" + side +
           " x " + side + ")";
}
