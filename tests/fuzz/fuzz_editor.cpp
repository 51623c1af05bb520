// Building the fuzz targets' editor, in-memory files and the map invariants.
#include "tests/fuzz/fuzz_editor.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/command_names.h"
#include "app/main_loop.h"
#include "app/startup.h"
#include "gui/interface.h"
#include "platform/scripted_platform.h"

namespace fs = std::filesystem;

namespace {
void fail(const char* rule) {
    std::fprintf(stderr, "map invariant broken: %s\n", rule);
    std::abort();
}

Editor* buildEditor() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string folder = (fs::temp_directory_path() / "velloran-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data())) fail("no scratch folder");
    for (const char* name : {"GOTHIC.TTF", "tiles.png", "base.png", "Configuration.xml"}) {
        fs::copy_file(fs::path(VELLORAN_ASSETS_DIR) / name, fs::path(folder) / name);
    }
    const fs::path started = fs::current_path();
    fs::current_path(folder);
    auto* editor = new Editor;
    static ScriptedMessageBox messages;
    static ScriptedFileChooser files;
    editor->messageBox = &messages;
    editor->fileChooser = &files;
    if (!buildInterface(*editor, "Velloran 1.09")) fail("no interface");
    loadTileSheets(*editor);
    prepareMainLoop(*editor);
    // The files live in memory; the folder is only needed while the editor starts, and the
    // fuzzer reads its inputs relative to where it was started.
    fs::current_path(started);
    fs::remove_all(folder);
    return editor;
}
}  // namespace

Editor& fuzzEditor() {
    static Editor* editor = buildEditor();
    static_cast<ScriptedMessageBox*>(editor->messageBox)->shown.clear();
    return *editor;
}

std::string pathHolding(const uint8_t* data, size_t size) {
    static const int fd = memfd_create("velloran-fuzz-input", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0) fail("no in-memory file");
    size_t done = 0;
    while (done < size) {
        ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) fail("in-memory file not written");
        done += static_cast<size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

void checkMapInvariants(Editor& editor) {
    Window* design = findWindow(editor, kDesignWindowName);
    if (!design) fail("no design window");
    if (static_cast<size_t>(editor.layerCount) != design->layerNames.size()) {
        fail("layer count differs from the design window's layers");
    }
    for (const std::string& name : design->layerNames) {
        const MapLayer* layer = findLayer(editor.layers, name);
        if (!layer) fail("design window names a missing layer");
        checkLayerRules(*layer);
    }
}

void checkLayerRules(const MapLayer& layer) {
    if (layer.width < 0 || layer.height < 0) fail("negative layer size");
    if (layer.tiles.size() != static_cast<size_t>(layer.width) * layer.height) {
        fail("cells do not fill the grid");
    }
    if (static_cast<long long>(layer.tiles.size()) > kMaxLayerCells) fail("layer too large");
    if (layer.offsetX < 0 || layer.offsetY < 0 ||
        (layer.width > 0 && layer.offsetX >= layer.width) ||
        (layer.height > 0 && layer.offsetY >= layer.height)) {
        fail("scroll position outside the layer");
    }
    if (layer.cellWidth < 1 || layer.cellWidth > 1024 || layer.cellHeight < 1 ||
        layer.cellHeight > 1024) {
        fail("cell size cannot be drawn");
    }
}
