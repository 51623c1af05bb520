// Fills over a 4096 x 4096 layer, per filled cell, beside the plain pass that writes every cell
// once; and recording a stamp's undo entry on small and huge layers.
#include <benchmark/benchmark.h>

#include "edit/flood_fill.h"
#include "edit/undo.h"

namespace {
const int kSide = 4096;

MapLayer& hugeLayer() {
    static LayerList layers;
    static MapLayer* layer = createLayer(layers, kSide, kSide, "Map1", 0, 0);
    return *layer;
}

void BM_WriteEveryCell(benchmark::State& state) {
    MapLayer& layer = hugeLayer();
    uint16_t tile = 1;
    for (auto _ : state) {
        std::fill(layer.tiles.begin(), layer.tiles.end(), tile);
        benchmark::ClobberMemory();
        tile ^= 3;
    }
    state.SetItemsProcessed(state.iterations() * layer.cellCount());
}

void BM_FloodFill(benchmark::State& state) {
    MapLayer& layer = hugeLayer();
    std::vector<CellPosition> stack;
    uint16_t from = layer.tiles[0];
    for (auto _ : state) {
        uint16_t to = from == 5 ? 6 : 5;
        floodFill(stack, layer, kSide / 2, kSide / 2, from, to);
        from = to;
    }
    state.SetItemsProcessed(state.iterations() * layer.cellCount());
}

void BM_PatternFill(benchmark::State& state) {
    MapLayer& layer = hugeLayer();
    LayerList brushes;
    MapLayer* brush = createLayer(brushes, 2, 2, "BrushLeft", 1, 10);
    std::vector<CellPosition> stack;
    for (auto _ : state) {
        state.PauseTiming();
        fillTiles(layer, 0, 0);
        state.ResumeTiming();
        patternFill(stack, layer, kSide / 2, kSide / 2, 0, *brush, false);
    }
    state.SetItemsProcessed(state.iterations() * layer.cellCount());
}

void recordStamps(benchmark::State& state, int side) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, side, side, "Map1", 0, 0);
    MapLayer* brush = createLayer(layers, 3, 3, "BrushLeft", 0, 1);
    Editor editor;
    int column = 0;
    for (auto _ : state) {
        recordUndo(editor, *brush, *layer, column, 5);
        column = (column + 1) % side;  // a new origin every time, so every call records
        if (editor.history.undoSteps().size() > 4096) clearUndo(editor);
    }
}

void BM_RecordStampOn64(benchmark::State& state) {
    recordStamps(state, 64);
}
void BM_RecordStampOn4096(benchmark::State& state) {
    recordStamps(state, 4096);
}
}  // namespace

BENCHMARK(BM_WriteEveryCell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordStampOn64);
BENCHMARK(BM_RecordStampOn4096);
BENCHMARK_MAIN();
