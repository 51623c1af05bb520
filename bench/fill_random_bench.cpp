// Fill Random over 256 x 256 cells with a 32 x 32 brush, beside its floor: the rand calls the
// fill must make, since it shuffles the whole brush before every cell it fills.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

#include "bench/stopwatch.h"
#include "edit/flood_fill.h"

namespace {
constexpr int kSide = 256;
constexpr int kBrushSide = 32;
constexpr unsigned kSeed = 1;

// How many rand calls were made since srand(kSeed): the outputs that come next are looked for
// in the sequence replayed from the seed. Counting this way needs nothing from the fill.
long long randCallsSinceSeed() {
    std::array<int, 4> next{};
    for (int& value : next) value = std::rand();
    std::srand(kSeed);
    std::array<int, 4> window{};
    const long long most = 4'000'000'000LL;
    for (long long n = 0; n < most; ++n) {
        window[n % 4] = std::rand();
        if (n < 3) continue;
        bool same = true;
        for (long long k = 0; k < 4 && same; ++k) same = window[(n - 3 + k) % 4] == next[k];
        if (same) return n - 3;
    }
    return -1;
}

void BM_FillRandom(benchmark::State& state) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, kSide, kSide, "Map1", 0, 0);
    MapLayer* brush = createLayer(layers, kBrushSide, kBrushSide, "BrushLeft", 1, 1);
    std::vector<CellPosition> stack;
    long long randCalls = -1;
    Timings filling, floor;
    for (auto _ : state) {
        state.PauseTiming();
        fillTiles(*layer, 0, 0);
        fillTiles(*brush, 1, 1);
        std::srand(kSeed);
        state.ResumeTiming();
        state.SetIterationTime(filling.time(
            [&] { patternFill(stack, *layer, kSide / 2, kSide / 2, 0, *brush, true); }));
        if (randCalls < 0) randCalls = randCallsSinceSeed();
        floor.time([&] {
            unsigned sum = 0;
            for (long long n = 0; n < randCalls; ++n) sum += static_cast<unsigned>(std::rand());
            benchmark::DoNotOptimize(sum);
        });
    }
    if (randCalls < 0) state.SkipWithError("the rand calls could not be counted");
    state.counters["rand_calls"] = static_cast<double>(randCalls);
    state.counters["rand_calls_per_cell"] = static_cast<double>(randCalls) / (kSide * kSide);
    state.counters["measured_ms"] = filling.median() * 1e3;
    state.counters["floor_ms"] = floor.median() * 1e3;
    state.counters["ratio"] = floor.median() > 0 ? filling.median() / floor.median() : 0;
}
}  // namespace

BENCHMARK(BM_FillRandom)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
