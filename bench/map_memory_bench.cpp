// What a big map costs in memory: nine layers of 4096 x 4096 cells, against the two bytes a
// cell's tile number needs.
#include <benchmark/benchmark.h>

#include "bench/bench_editor.h"
#include "bench/process_memory.h"

namespace {
constexpr int kSide = 4096;
constexpr int kLayers = 9;
constexpr double kTileBytes = 2.0;  // the floor: a 16-bit tile number per cell

void BM_MapMemory(benchmark::State& state) {
    BenchEditor bench(800, 600);
    const double cells = static_cast<double>(kSide) * kSide * kLayers;
    double residentGrowth = 0, heapGrowth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.makeMap(1, 1, 1);
        releaseFreeHeap();
        const size_t resident = residentBytes();
        const size_t heap = heapBytesInUse();
        state.ResumeTiming();
        bench.makeMap(kSide, kSide, kLayers);
        state.PauseTiming();
        // Growth, not the total: the interface, the fonts and SDL are there either way.
        residentGrowth = static_cast<double>(residentBytes()) - static_cast<double>(resident);
        heapGrowth = static_cast<double>(heapBytesInUse()) - static_cast<double>(heap);
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = residentGrowth / cells;
    state.counters["heap_bytes_per_cell"] = heapGrowth / cells;
    state.counters["map_MB"] = residentGrowth / kMegabyte;
    state.counters["floor_bytes_per_cell"] = kTileBytes;
    state.counters["ratio"] = residentGrowth / cells / kTileBytes;
}
}  // namespace

BENCHMARK(BM_MapMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
