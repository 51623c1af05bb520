// Drawing a frame: the cost follows the visible area, not the size of the map. Every frame
// figure is also given as a ratio to a frame of a 64 x 64 map at 800 x 600, measured in the
// same run.
#include <benchmark/benchmark.h>

#include "app/command_names.h"
#include "app/main_loop.h"
#include "bench/bench_editor.h"
#include "bench/stopwatch.h"
#include "map/cell_access.h"
#include "map/map_view.h"
#include "map/zoom.h"

namespace {
// Scrolls into the middle of big maps so the view is not at the cheap corner.
void scrollToMiddle(Editor& e) {
    for (const auto& layer : e.layers) {
        if (layer->number < 1) continue;
        layer->offsetX = layer->width / 2;
        layer->offsetY = layer->height / 2;
    }
    e.mouseX = e.mouseY = -1;
}

// The seconds of one frame of one 64 x 64 layer at 800 x 600, measured once per run: the
// median frame, as for the frames it is set against.
double smallFrameSeconds() {
    static const double seconds = [] {
        BenchEditor bench(800, 600);
        bench.makeMap(64, 64, 1);
        Editor& e = bench.editor();
        scrollToMiddle(e);
        Timings frames;
        for (int n = 0; n < 500; ++n) {
            frames.time([&] {
                renderFrame(e, false);
                SDL_Flip(e.screen);
            });
        }
        return frames.median();
    }();
    return seconds;
}

void drawFrames(benchmark::State& state, int screenW, int screenH, int mapSize, int layers) {
    const double floorSeconds = smallFrameSeconds();
    BenchEditor bench(screenW, screenH);
    bench.makeMap(mapSize, mapSize, layers);
    Editor& e = bench.editor();
    scrollToMiddle(e);
    // The median frame: on a machine shared with other work some frames wait for the processor.
    Timings frames;
    for (auto _ : state) {
        frames.time([&] {
            renderFrame(e, false);
            SDL_Flip(e.screen);
        });
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    const double frame = frames.median();
    state.counters["frame_us"] = frame * 1e6;
    state.counters["floor_us"] = floorSeconds * 1e6;
    state.counters["ratio"] = frame / floorSeconds;
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
void BM_FrameNineHugeLayers1920x1080(benchmark::State& state) {
    drawFrames(state, 1920, 1080, 4096, 9);
}
// Nine 4096 x 4096 layers at one zoom level, each frame set beside a level-1 frame of the same
// window, the two taken in turn.
void zoomedFrames(benchmark::State& state, int screenW, int screenH) {
    const int level = static_cast<int>(state.range(0));
    BenchEditor bench(screenW, screenH);
    bench.makeMap(4096, 4096, 9);
    Editor& e = bench.editor();
    scrollToMiddle(e);
    Window* design = findWindow(e, kDesignWindowName);
    Timings zoomed, actual, redrawn, scrolled, afresh;
    MapLayer* top = findMapLayer(e.layers, design->layerNames.back());
    int step = 1;
    auto frame = [&](int at, Timings& timings) {
        design->zoomLevel = at;
        clampScroll(e, *design);
        if (&timings == &redrawn) setTile(*top, top->offsetX, top->offsetY, 1);
        if (&timings == &afresh) e.viewCache.forget();
        // A scroll by one step, back and forth, as an arrow key makes it.
        if (&timings == &scrolled) {
            for (const auto& layer : e.layers) {
                if (layer->number >= 1) layer->offsetX += step * scrollStepCells(kTileEdge, at);
            }
            step = -step;
            clampScroll(e, *design);
        }
        timings.time([&] {
            renderFrame(e, false);
            SDL_Flip(e.screen);
        });
    };
    for (auto _ : state) {
        frame(0, actual);
        frame(level, redrawn);
        frame(level, zoomed);
        frame(level, scrolled);
        frame(level, afresh);
    }
    // A frame that shows the view again; the first frame after a write (the part it reaches
    // drawn again), after a scroll (the picture moved, the strip it uncovers drawn) and after a
    // zoom (the whole window drawn afresh).
    state.counters["frame_us"] = zoomed.median() * 1e6;
    state.counters["floor_us"] = actual.median() * 1e6;
    state.counters["ratio"] = zoomed.median() / actual.median();
    state.counters["redrawn_us"] = redrawn.median() * 1e6;
    state.counters["redrawn_ratio"] = redrawn.median() / actual.median();
    state.counters["scrolled_us"] = scrolled.median() * 1e6;
    state.counters["scrolled_ratio"] = scrolled.median() / actual.median();
    state.counters["afresh_ratio"] = afresh.median() / actual.median();
    // What zooming out keeps between frames, a byte count per cell of the map.
    size_t kept = e.viewCache.bytes();
    for (const auto& [id, samples] : e.sampledTiles) kept += samples.bytes();
    state.counters["kept_B_per_cell"] = static_cast<double>(kept) / (9.0 * 4096 * 4096);
}

void BM_FrameZoomedNineHugeLayers800x600(benchmark::State& state) {
    zoomedFrames(state, 800, 600);
}
void BM_FrameZoomedNineHugeLayers1920x1080(benchmark::State& state) {
    zoomedFrames(state, 1920, 1080);
}
}  // namespace

BENCHMARK(BM_FrameZoomedNineHugeLayers800x600)
    ->DenseRange(-7, 2)
    ->Iterations(100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameZoomedNineHugeLayers1920x1080)
    ->DenseRange(-7, 2)
    ->Iterations(50)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameSmallMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameHugeMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameNineLayers800x600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameNineLayers1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameNineHugeLayers1920x1080)->Iterations(300)->Unit(benchmark::kMicrosecond);
