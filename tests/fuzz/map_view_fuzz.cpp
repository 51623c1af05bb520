// Fuzz target: opening a map file, then drawing, scrolling, filling, stamping, undoing and redoing
// on every one of its layers, so the sizes, scroll positions and cell sizes a file supplies reach
// the view's and the tools' arithmetic.
#include "app/command_names.h"
#include "app/main_loop.h"
#include "edit/scroll.h"
#include "edit/undo.h"
#include "io/map_file.h"
#include "map/map_view.h"
#include "tests/fuzz/fuzz_editor.h"

namespace {
// Presses over the design window: on its first cell and near its far corner.
const MouseSample kPresses[] = {{3, 19, SDL_BUTTON_LMASK}, {530, 590, SDL_BUTTON_LMASK}};

// Lets go of the button without a frame of its own: frames draw the whole screen, and the
// fuzzer's time is better spent on the files.
void release(Editor& editor) {
    editor.mouseButtons = editor.previousMouseButtons = 0;
    editor.mouseReleased = 0;
    editor.history.endPress();
}

void resetTools(Editor& editor) {
    release(editor);
    clearUndo(editor);
    editor.toolMode = ToolMode::Draw;
    editor.pickBrushArmed = 0;
    editor.pick = PickState{};
    editor.activeBrushSide = "Left";
    if (!findLayer(editor.layers, "BrushLeft")) {
        MapLayer* brush = createLayer(editor.layers, 2, 2, "BrushLeft", 1, 3);
        brush->number = -1;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Editor& editor = fuzzEditor();
    resetTools(editor);
    loadMap(editor, pathHolding(data, size));
    checkMapInvariants(editor);
    Window* design = findWindow(editor, kDesignWindowName);
    for (int number = 1; number <= editor.layerCount; ++number) {
        editor.currentLayer = number;
        renderFrame(editor, false);
        for (ScrollDirection direction : {ScrollDirection::Right, ScrollDirection::Down,
                                          ScrollDirection::Left, ScrollDirection::Up}) {
            scrollWindow(editor, *design, direction);
        }
        clampScroll(editor, *design);
        for (int tool : {1, 3, 0}) {
            for (const MouseSample& press : kPresses) {
                editor.toolMode = static_cast<ToolMode>(tool);
                runFrame(editor, press);
                release(editor);
            }
        }
        while (editor.history.canUndo()) undoLast(editor);
        while (editor.history.canRedo()) redoLast(editor);
        checkMapInvariants(editor);
    }
    return 0;
}
