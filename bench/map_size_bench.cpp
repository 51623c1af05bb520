// Two waits for a big map, in plain time (each should stay under a second): starting the editor
// with a 4096 x 4096 map in its configuration, and Map > ReSize from 128 x 128 to 4096 x 4096.
// Both run up to the first frame that shows the result.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/command_names.h"
#include "app/main_loop.h"
#include "app/startup.h"
#include "app/version.h"
#include "bench/bench_editor.h"
#include "bench/bench_folder.h"
#include "bench/stopwatch.h"
#include "edit/command_queue.h"
#include "edit/dispatch.h"
#include "gui/dialog.h"
#include "gui/interface.h"
#include "platform/message_box.h"

namespace {
constexpr int kSide = 4096;

struct QuietMessageBox : MessageBox {
    void show(const std::string&, const std::string&) override {}
};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A working folder like the bundled one whose configuration asks for a 4096 x 4096 map; the
// font and the sheets are the bundled files, linked.
std::string bigMapFolder() {
    const std::string folder = benchFolder() + "big-map/";
    mkdir(folder.c_str(), 0755);
    const std::string assets = std::string(VELLORAN_ASSETS_DIR) + "/";
    std::string configuration = readFile(assets + "Configuration.xml");
    replaceAll(configuration, "\"MapWidth\" Value=\"128\"", "\"MapWidth\" Value=\"4096\"");
    replaceAll(configuration, "\"MapHeight\" Value=\"128\"", "\"MapHeight\" Value=\"4096\"");
    std::ofstream(folder + "Configuration.xml") << configuration;
    for (const char* name : {"GOTHIC.TTF", "tiles.png", "base.png"}) {
        unlink((folder + name).c_str());
        if (symlink((assets + name).c_str(), (folder + name).c_str()) != 0) return "";
    }
    return folder;
}

void BM_StartWith4096Map(benchmark::State& state) {
    const std::string folder = bigMapFolder();
    if (folder.empty() || chdir(folder.c_str()) != 0) {
        state.SkipWithError("no working folder for the big map");
        return;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    QuietMessageBox quiet;
    int mapWidth = 0;
    for (auto _ : state) {
        std::unique_ptr<Editor> editor;
        const double starting = secondsOf([&] {
            editor = std::make_unique<Editor>();
            editor->messageBox = &quiet;
            buildInterface(*editor, kEditorTitle);
            loadTileSheets(*editor);
            prepareMainLoop(*editor);
            runFrame(*editor, MouseSample{-1, -1, 0});
        });
        state.SetIterationTime(starting);
        const MapLayer* first = findLayer(editor->layers, stringSetting(*editor, "Layer1"));
        mapWidth = first ? first->width : 0;
        shutDown(*editor);
    }
    if (mapWidth != kSide) state.SkipWithError("the editor did not start with a 4096 x 4096 map");
    state.counters["target_ms"] = 1000;
}

// Types the size into the Resize Map dialog and presses its button, as the user would.
void submitResize(Editor& editor, int width, int height) {
    postCommand(editor.commandQueue, cmd::ReSize, "");
    handleInterfaceCommand(editor);
    Dialog* dialog = findDialog(editor, kResizeMapDialogName);
    setNumberInput(*dialog, 0, width);
    setNumberInput(*dialog, 1, height);
    postCommand(editor.commandQueue, cmd::ButtonResizeMap, "");
    handleInterfaceCommand(editor);
}

void BM_ResizeTo4096(benchmark::State& state) {
    const int layers = static_cast<int>(state.range(0));
    BenchEditor bench(800, 600);
    Editor& editor = bench.editor();
    bench.makeMap(128, 128, layers);
    editor.focusName = kDesignWindowName;
    int mapWidth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        submitResize(editor, 128, 128);
        runFrame(editor, MouseSample{-1, -1, 0});
        state.ResumeTiming();
        const double resizing = secondsOf([&] {
            submitResize(editor, kSide, kSide);
            runFrame(editor, MouseSample{-1, -1, 0});
        });
        state.SetIterationTime(resizing);
        mapWidth = currentMapLayer(editor) ? currentMapLayer(editor)->width : 0;
    }
    if (mapWidth != kSide) state.SkipWithError("the map was not resized to 4096 x 4096");
    state.counters["layers"] = layers;
    state.counters["target_ms"] = 1000;
}
}  // namespace

BENCHMARK(BM_StartWith4096Map)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeTo4096)
    ->Arg(1)
    ->Arg(9)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
