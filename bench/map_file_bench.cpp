// Save and Open of nine layers of 4096 x 4096 cells (a 302 MB file), each beside its floor
// measured in the same iteration: one write of the same bytes and an fsync, one read of the
// same file. Both files are written in a folder on the disk the build lives on.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_names.h"
#include "bench/bench_editor.h"
#include "bench/bench_folder.h"
#include "bench/process_memory.h"
#include "bench/stopwatch.h"
#include "io/map_codec.h"
#include "io/map_file.h"
#include "io/save_file.h"

namespace {
constexpr int kSide = 4096;
constexpr int kLayers = 9;

// The floor of Save: the file's bytes in one write, made durable.
bool writeAndSync(const std::string& path, const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    const bool synced = fsync(fd) == 0;
    close(fd);
    return done == bytes.size() && synced;
}

// The floor of Open: the whole file read into memory of its own, as any reader must.
size_t readWhole(const std::string& path, size_t size) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    std::unique_ptr<char[]> buffer(new char[size]);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, buffer.get() + done, size - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    benchmark::DoNotOptimize(buffer.get());
    return done;
}

// Reads the file once, so that the timed read and Open both find it in the page cache.
void warmPageCache(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    std::vector<char> chunk(1 << 20);
    while (read(fd, chunk.data(), chunk.size()) > 0) {
    }
    close(fd);
}

// The map layers in the design window's order, as Save writes them.
std::vector<const MapLayer*> mapLayers(Editor& editor) {
    std::vector<const MapLayer*> layers;
    for (const std::string& name : findWindow(editor, kDesignWindowName)->layerNames) {
        layers.push_back(findLayer(editor.layers, name));
    }
    return layers;
}

void reportAgainstFloor(benchmark::State& state, const Timings& measured, const Timings& floor) {
    state.counters["measured_ms"] = measured.median() * 1e3;
    state.counters["floor_ms"] = floor.median() * 1e3;
    state.counters["ratio"] = floor.median() > 0 ? measured.median() / floor.median() : 0;
    // The fastest of each beside each other: what is left when the disk was least disturbed.
    state.counters["best_ratio"] = floor.best() > 0 ? measured.best() / floor.best() : 0;
    state.counters["in_memory_fs"] = benchFolderInMemory() ? 1 : 0;
}

void BM_SaveBigMap(benchmark::State& state) {
    BenchEditor bench(800, 600);
    bench.makeMap(kSide, kSide, kLayers);
    Editor& editor = bench.editor();
    const std::string bytes = encodeMap(editor);
    const std::string path = benchFolder() + "save.map";
    const std::string floorPath = benchFolder() + "save-floor.map";
    const std::string fileOnlyPath = benchFolder() + "save-file-only.map";
    const std::vector<const MapLayer*> layers = mapLayers(editor);
    Timings saving, floor, fileOnly, fingerprint;
    size_t peakAbove = 0;
    bool failed = false;
    // The disk writes take turns at going first: a write that follows another can find the
    // disk still busy with the one before.
    const std::function<void()> writes[] = {
        [&] { floor.time([&] { failed |= !writeAndSync(floorPath, bytes); }); },
        [&] {
            // Where Save's time goes: the file alone (no fingerprint), in its own file.
            fileOnly.time([&] {
                std::string error;
                failed |= !writeFileReplacing(
                    fileOnlyPath, [&](ByteSink& sink) { return writeMapLayers(sink, layers); },
                    error);
            });
        },
        [&] {
            resetPeakResident();
            const size_t before = residentBytes();
            state.SetIterationTime(saving.time([&] { failed |= !saveMap(editor, path); }));
            const size_t peak = peakResidentBytes();
            peakAbove = std::max(peakAbove, peak - std::min(peak, before));
        },
    };
    int turn = 0;
    for (auto _ : state) {
        for (int n = 0; n < 3; ++n) writes[(turn + n) % 3]();
        turn = (turn + 1) % 3;
        // And the fingerprint of the saved state that Save takes as the bytes pass.
        fingerprint.time([&] { markMapSaved(editor); });
    }
    if (failed) state.SkipWithError("a write failed");
    reportAgainstFloor(state, saving, floor);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / kMegabyte;
    state.counters["peak_above_map_MB"] = static_cast<double>(peakAbove) / kMegabyte;
    state.counters["file_only_ms"] = fileOnly.median() * 1e3;
    state.counters["fingerprint_ms"] = fingerprint.median() * 1e3;
    unlink(path.c_str());
    unlink(floorPath.c_str());
    unlink(fileOnlyPath.c_str());
}

void BM_OpenBigMap(benchmark::State& state) {
    BenchEditor bench(800, 600);
    bench.makeMap(kSide, kSide, kLayers);
    Editor& editor = bench.editor();
    const std::string path = benchFolder() + "open.map";
    const size_t size = encodeMap(editor).size();
    bool failed = !saveMap(editor, path);
    Timings opening, floor, fingerprint;
    size_t peakAbove = 0;
    for (auto _ : state) {
        // A fingerprint of the whole map, as Open's reading takes it piece by piece.
        fingerprint.time([&] { markMapSaved(editor); });
        warmPageCache(path);
        floor.time([&] { failed |= readWhole(path, size) != size; });
        warmPageCache(path);
        resetPeakResident();
        const size_t before = residentBytes();
        state.SetIterationTime(opening.time([&] { failed |= !loadMap(editor, path); }));
        const size_t peak = peakResidentBytes();
        peakAbove = std::max(peakAbove, peak - std::min(peak, before));
    }
    if (failed) state.SkipWithError("the map file could not be written or opened");
    reportAgainstFloor(state, opening, floor);
    state.counters["file_MB"] = static_cast<double>(size) / kMegabyte;
    // Above the map that was open before: the new map, built before the old one goes.
    state.counters["peak_above_map_MB"] = static_cast<double>(peakAbove) / kMegabyte;
    state.counters["fingerprint_ms"] = fingerprint.median() * 1e3;
    unlink(path.c_str());
}
}  // namespace

BENCHMARK(BM_SaveBigMap)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBigMap)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
