// The recovery copy of nine layers of 4096 x 4096 cells: painting frames while the copy is
// written, beside painting frames with no copy going on, in the same run; how long the frame
// that forks (between strokes) takes; and how long the copy takes beside Save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "app/command_names.h"
#include "app/main_loop.h"
#include "bench/bench_editor.h"
#include "bench/bench_folder.h"
#include "bench/stopwatch.h"
#include "io/map_file.h"
#include "io/recovery_writer.h"

namespace {
constexpr int kSide = 4096;
constexpr int kLayers = 9;

// A painting frame: the left button held over the design window with a 3 x 3 brush, one cell
// further on each frame, so that every frame writes tiles the last one did not.
struct Painter {
    Editor& editor;
    int step = 0;

    void frame() {
        const int x = 8 + (step * 16) % 512, y = 24 + (step / 32 * 16) % 512;
        ++step;
        runFrame(editor, MouseSample{x, y, SDL_BUTTON_LMASK});
    }
};

void BM_FrameDuringRecoveryWrite(benchmark::State& state) {
    BenchEditor bench(800, 600);
    bench.makeMap(kSide, kSide, kLayers);
    Editor& editor = bench.editor();
    editor.focusName = kDesignWindowName;
    editor.toolMode = ToolMode::Draw;
    editor.activeBrushSide = "Left";
    createLayer(editor.layers, 3, 3, kBrushLeftName, 1, 10);
    Painter painter{editor};
    const std::string copy = benchFolder() + "recovery.map", note = benchFolder() + "recovery.note";
    const std::string saved = benchFolder() + "recovery-save.map";
    Timings plain, during, forking, copying, saving;
    RecoveryWriter writer;
    bool failed = false;
    for (auto _ : state) {
        for (int n = 0; n < 100; ++n) plain.time([&] { painter.frame(); });
        // The frame that starts the write, between two strokes as the editor starts it: the
        // fork, and the first writes to the pages it shares (the screen's above all). Then
        // the painting frames while the copy is written.
        double copySeconds = 0;
        forking.time([&] {
            failed |= !writer.start(mapLayersInOrder(editor), 0, copy, note, "note");
            runFrame(editor, MouseSample{300, 300, 0});
        });
        copySeconds += forking.seconds.back();
        RecoveryWriter::Outcome outcome = RecoveryWriter::Outcome::Writing;
        while (outcome == RecoveryWriter::Outcome::Writing) {
            copySeconds += during.time([&] {
                painter.frame();
                outcome = writer.poll();
            });
        }
        failed |= outcome != RecoveryWriter::Outcome::Written;
        copying.seconds.push_back(copySeconds);
        state.SetIterationTime(copySeconds);
        saving.time([&] { failed |= !saveMap(editor, saved); });
    }
    if (failed) state.SkipWithError("a recovery copy or a save failed");
    state.counters["frame_us"] = during.median() * 1e6;
    state.counters["floor_us"] = plain.median() * 1e6;
    state.counters["ratio"] = during.median() / plain.median();
    std::vector<double> sorted = during.seconds;
    std::sort(sorted.begin(), sorted.end());
    state.counters["p95_frame_us"] = sorted[sorted.size() * 95 / 100] * 1e6;
    state.counters["worst_frame_us"] =
        *std::max_element(during.seconds.begin(), during.seconds.end()) * 1e6;
    state.counters["fork_frame_ms"] = forking.median() * 1e3;
    state.counters["copy_ms"] = copying.median() * 1e3;
    state.counters["save_ms"] = saving.median() * 1e3;
    state.counters["copy_vs_save"] = copying.median() / saving.median();
    state.counters["frames_per_copy"] =
        static_cast<double>(during.seconds.size()) / static_cast<double>(state.iterations());
    unlink(copy.c_str());
    unlink(note.c_str());
    unlink(saved.c_str());
}
}  // namespace

BENCHMARK(BM_FrameDuringRecoveryWrite)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
