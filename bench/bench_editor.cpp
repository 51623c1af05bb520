// The benchmarks' editor.
#include "bench/bench_editor.h"

#include <unistd.h>

#include <cstdlib>

#include "app/command_names.h"
#include "app/startup.h"
#include "edit/layer_commands.h"
#include "gui/interface.h"
#include "platform/message_box.h"

namespace {
struct SilentMessageBox : MessageBox {
    void show(const std::string&, const std::string&) override {}
};
SilentMessageBox silent;
}  // namespace

BenchEditor::BenchEditor(int screenWidth, int screenHeight) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (chdir(VELLORAN_ASSETS_DIR) != 0) std::abort();
    editor_ = std::make_unique<Editor>();
    editor_->messageBox = &silent;
    buildInterface(*editor_, kEditorTitle);
    loadTileSheets(*editor_);
    if (SDL_Surface* screen = SDL_SetVideoMode(screenWidth, screenHeight, 32, SDL_RESIZABLE)) {
        editor_->screen = screen;
    }
    layoutWindows(*editor_);
}

BenchEditor::~BenchEditor() {
    shutDown(*editor_);
    editor_.reset();
}

void BenchEditor::makeMap(int width, int height, int layers) {
    Editor& e = *editor_;
    Window* design = findWindow(e, kDesignWindowName);
    for (const std::string& name : design->layerNames) removeLayer(e, name);
    design->layerNames.clear();
    for (int n = 1; n <= layers; ++n) {
        std::string name = stringSetting(e, "Layer" + std::to_string(n));
        MapLayer* layer = createLayer(e.layers, width, height, name, 0, 0);
        layer->number = n;
        // Ground on the bottom layer, sparse props above, so upper layers blend over lower ones.
        for (size_t i = 0; i < layer->tiles.size(); ++i) {
            layer->tiles[i] = n == 1 ? static_cast<uint16_t>(i % 64)
                                     : static_cast<uint16_t>(i % 7 == 0 ? 288 + i % 48 : 1);
        }
        design->layerNames.push_back(name);
    }
    e.layerCount = layers;
    e.currentLayer = 1;
}
