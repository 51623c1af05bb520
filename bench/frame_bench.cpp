// Drawing a frame: the cost follows the visible area, not the size of the map.
#include <benchmark/benchmark.h>

#include "app/main_loop.h"
#include "bench/bench_editor.h"

namespace {
void drawFrames(benchmark::State& state, int screenW, int screenH, int mapSize, int layers) {
    BenchEditor bench(screenW, screenH);
    bench.makeMap(mapSize, mapSize, layers);
    Editor& e = bench.editor();
    // Scroll into the middle of big maps so the view is not at the cheap corner.
    for (const auto& layer : e.layers) {
        if (layer->number < 1) continue;
        layer->offsetX = layer->width / 2;
        layer->offsetY = layer->height / 2;
    }
    e.mouseX = e.mouseY = -1;
    for (auto _ : state) {
        renderFrame(e, false);
        SDL_Flip(e.screen);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FrameSmallMap(benchmark::State& state) {
    drawFrames(state, 800, 600, 64, 1);
}
void BM_FrameHugeMap(benchmark::State& state) {
    drawFrames(state, 800, 600, 4096, 1);
}
void BM_FrameNineLayers800x600(benchmark::State& state) {
    drawFrames(state, 800, 600, 256, 9);
}
void BM_FrameNineLayers1920x1080(benchmark::State& state) {
    drawFrames(state, 1920, 1080, 256, 9);
}
}  // namespace

BENCHMARK(BM_FrameSmallMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameHugeMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameNineLayers800x600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameNineLayers1920x1080)->Unit(benchmark::kMicrosecond);
