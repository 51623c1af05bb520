// What Undo keeps for a stroke, driven through the stroke a held button runs each frame: a
// 3 x 3 stamp, a fill of about a hundred cells and a fill of a whole 4096 x 4096 layer; the
// time of the small fill beside one pass over the layer; and the history after many big fills.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "app/command_names.h"
#include "app/main_loop.h"
#include "bench/bench_editor.h"
#include "bench/process_memory.h"
#include "bench/stopwatch.h"
#include "edit/stroke.h"
#include "edit/undo.h"

namespace {
constexpr int kSide = 4096;
constexpr int kDraw = 0;
constexpr int kFill = 1;

// A 4096 x 4096 map layer of tile 0 under a 3 x 3 left brush of tiles 10 to 18.
struct StrokeBench {
    BenchEditor bench{800, 600};
    Editor& editor = bench.editor();
    MapLayer* layer = nullptr;
    MapLayer* smallLayer = nullptr;  // 128 x 128, beside the map, for the same fill on it
    Window* design = nullptr;

    StrokeBench() {
        bench.makeMap(kSide, kSide, 1);
        layer = findLayer(editor.layers, stringSetting(editor, "Layer1"));
        fillTiles(*layer, 0, 0);
        design = findWindow(editor, kDesignWindowName);
        const std::string brushName = brushLayerName("Left");
        auto brush = std::find_if(editor.layers.begin(), editor.layers.end(),
                                  [&](const auto& l) { return l->name == brushName; });
        if (brush != editor.layers.end()) editor.layers.erase(brush);
        createLayer(editor.layers, 3, 3, brushName, 1, 10);
        smallLayer = createLayer(editor.layers, 128, 128, "Small", 0, 0);
        editor.activeBrushSide = "Left";
    }

    // A new press of the left button at (column, row) with the tool: the frame's stroke.
    void press(int tool, int column, int row) { pressOn(*layer, tool, column, row); }
    void pressOn(MapLayer& target, int tool, int column, int row) {
        editor.toolMode = static_cast<ToolMode>(tool);
        editor.previousMouseButtons = 0;
        editor.mouseButtons = SDL_BUTTON_LMASK;
        editor.history.endPress();
        strokeStep(editor, *design, target, column, row);
    }

    // The newest step's size and cells; zero when the stroke pushed none.
    size_t newestBytes() const {
        return editor.history.undoSteps().empty() ? 0 : editor.history.undoSteps().back().bytes;
    }
    size_t newestCells() const {
        if (editor.history.undoSteps().empty()) return 0;
        size_t cells = 0;
        for (const UndoRecord& record : editor.history.undoSteps().back().records) {
            cells += record.cells.cellCount();
        }
        return cells;
    }
};

void reportStep(benchmark::State& state, size_t bytes, size_t cells) {
    state.counters["undo_bytes"] = static_cast<double>(bytes);
    state.counters["cells_changed"] = static_cast<double>(cells);
    state.counters["bytes_per_cell"] = cells ? static_cast<double>(bytes) / cells : 0;
    if (bytes == 0) state.SkipWithError("the stroke pushed no undo step");
}

void BM_UndoStamp(benchmark::State& state) {
    StrokeBench s;
    size_t bytes = 0, cells = 0;
    int column = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        clearUndo(s.editor);
        state.ResumeTiming();
        s.press(kDraw, column, 1000);
        state.PauseTiming();
        bytes = s.newestBytes();
        cells = s.newestCells();
        column = column == 1000 ? 1010 : 1000;
        state.ResumeTiming();
    }
    reportStep(state, bytes, cells);
}

// A 10 x 10 patch of tile 5 from (at, at) on; the rest of the layer is tile 0.
void layPatch(MapLayer& layer, int at) {
    for (int row = at; row < at + 10; ++row) {
        for (int column = at; column < at + 10; ++column) setTile(layer, column, row, 5);
    }
}

void BM_UndoSmallFill(benchmark::State& state) {
    StrokeBench s;
    size_t bytes = 0, cells = 0;
    Timings filling, layerPass, smallLayerFilling;
    for (auto _ : state) {
        state.PauseTiming();
        clearUndo(s.editor);
        layPatch(*s.layer, 2000);
        state.ResumeTiming();
        filling.time([&] { s.press(kFill, 2005, 2005); });
        state.PauseTiming();
        bytes = s.newestBytes();
        cells = s.newestCells();
        // The floor it must stay far below: one read of every cell of the layer.
        layerPass.time([&] {
            benchmark::DoNotOptimize(std::count(s.layer->tiles.begin(), s.layer->tiles.end(), 5));
        });
        // The same fill on a small layer: what it should cost on any layer.
        clearUndo(s.editor);
        layPatch(*s.smallLayer, 60);
        smallLayerFilling.time([&] { s.pressOn(*s.smallLayer, kFill, 65, 65); });
        state.ResumeTiming();
    }
    reportStep(state, bytes, cells);
    state.counters["fill_us"] = filling.median() * 1e6;
    state.counters["layer_pass_us"] = layerPass.median() * 1e6;
    state.counters["ratio"] = filling.median() / layerPass.median();
    state.counters["small_layer_fill_us"] = smallLayerFilling.median() * 1e6;
    state.counters["ratio_to_small_layer"] = filling.median() / smallLayerFilling.median();
}

void BM_UndoLayerFill(benchmark::State& state) {
    StrokeBench s;
    size_t bytes = 0, cells = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clearUndo(s.editor);
        fillTiles(*s.layer, 0, 0);
        state.ResumeTiming();
        s.press(kFill, kSide / 2, kSide / 2);
        state.PauseTiming();
        bytes = s.newestBytes();
        cells = s.newestCells();
        state.ResumeTiming();
    }
    reportStep(state, bytes, cells);
}

// Twelve whole-layer fills, each its own press: the history keeps to its limit.
void BM_UndoHistoryAfterLayerFills(benchmark::State& state) {
    StrokeBench s;
    const int fills = 12;
    for (auto _ : state) {
        clearUndo(s.editor);
        for (int n = 0; n < fills; ++n) {
            state.PauseTiming();
            fillTiles(*s.layer, 0, static_cast<uint16_t>(n % 2));
            state.ResumeTiming();
            s.press(kFill, kSide / 2, kSide / 2);
        }
    }
    state.counters["fills"] = fills;
    state.counters["steps_kept"] = static_cast<double>(s.editor.history.undoSteps().size());
    state.counters["history_MB"] = static_cast<double>(s.editor.history.bytes()) / kMegabyte;
    state.counters["limit_MB"] = static_cast<double>(undoLimitBytes(s.editor)) / kMegabyte;
}
}  // namespace

BENCHMARK(BM_UndoStamp)->Iterations(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoSmallFill)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoLayerFill)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoHistoryAfterLayerFills)->Iterations(1)->Unit(benchmark::kMillisecond);
