// Undo and Redo over every kind of step: after any sequence the map is, byte for byte as its
// file shows, the map as it was at that point of the history, markers and held marker included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_names.h"
#include "edit/dispatch.h"
#include "edit/layer_commands.h"
#include "edit/map_size_commands.h"
#include "edit/undo.h"
#include "io/map_file.h"
#include "tests/support/editing.h"

namespace {
// Three side x side layers: Map1 all tile 3, Map2 see-through (markers go there), Map3 running
// tiles. Every action changes the map and moves on, so that no two in a row are alike.
struct History {
    TestEditor t;
    Editor& e = t.editor();
    int k = 0;

    explicit History(int side) {
        resize(side, side);
        addLayer(e);
        addLayer(e);
        fillTiles(*findLayer(e.layers, "Map1"), 0, 3);
        fillTiles(*findLayer(e.layers, "Map3"), 1, 100);
        clearUndo(e);
        t.focusAt(100, 100);
        t.frame(100, 100);
    }
    // A click on the current layer with this tool and a 1 x 1 or 2 x 2 brush.
    void click(ToolMode mode, std::initializer_list<int> brush, int column, int row) {
        e.toolMode = mode;
        makeBrush(e, "Left", brush.size() == 1 ? 1 : 2, brush.size() == 1 ? 1 : 2, brush);
        t.frame(mapX(column), mapY(row), SDL_BUTTON_LMASK);
        t.frame(mapX(column), mapY(row), 0);
    }
    void key(SDLKey key, int column, int row) {
        changeLayer(e, "Map2");
        t.frame(mapX(column), mapY(row));
        t.pressKey(key);
        t.frame(mapX(column), mapY(row));
    }
    void resize(int width, int height) {
        setNumberInput(*findDialog(e, kResizeMapDialogName), 0, width);
        setNumberInput(*findDialog(e, kResizeMapDialogName), 1, height);
        resizeMap(e);
    }
    // What must come back: the file's bytes and the marker numbers.
    std::string state() {
        return encodeMap(e) + "|" + std::to_string(e.nextMarkerTile) + "|" +
               std::to_string(e.heldMarkerTile);
    }
    // Runs an action; false for one that changes the map without an undo step.
    bool act(const std::string& name) {
        if (name == "add" || name == "grow") {
            name == "add" ? addLayer(e) : resize(12, 12);
            return false;
        }
        // The action's layer, for names that end in its number.
        if (name.back() >= '1' && name.back() <= '9')
            changeLayer(e, "Map" + name.substr(name.size() - 1));
        if (name[0] == 's' && name.size() == 2)
            click(ToolMode::Draw, {5, 6, 7, 8}, k % 6, k / 6 % 6);
        if (name == "f1") click(ToolMode::Fill, {20 + k}, 7, 7);
        if (name == "rand1") std::srand(k + 1), click(ToolMode::FillRandom, {30, 31, 32, 33}, 7, 7);
        if (name == "clear1") clearCurrentLayer(e);
        if (name == "mapclear") clearMap(e);
        if (name == "w") key(SDLK_w, k % 6, 7);
        if (name == "lift") key(SDLK_e, 0, 7);  // the first marker "w" put
        if (name == "put") key(SDLK_e, 1, 6);
        if (name == "remove2") removeCurrentLayer(e);
        if (name == "shrink") resize(6, 5 + k % 2);
        if (name == "edge3")
            makeBrush(e, "Left", 1, 1, {40 + k}), runMenuItem(e, cmd::Map, cmd::FillEdge);
        return true;
    }
};

struct Sequence {
    const char* acts;  // actions, "u" for Undo, "r" for Redo
    int side = 8;
    int limitMB = 0;  // UndoMemoryMB; 0 keeps the default
    int dropped = 0;  // the oldest steps the limit lets go of, which Undo cannot reach
};
const Sequence kSequences[] = {
    {"s1 s1 u u r r"},
    {"f1 u r u r"},
    {"rand1 u r u"},
    {"clear1 mapclear u u r r"},
    {"edge3 u r"},
    {"w w lift put u u u u r r r r u r"},
    {"s2 remove2 s2 u u u r r r"},  // a removal between strokes of the layers it renames
    {"s1 shrink s1 u u r r u u u r r r"},
    {"s1 f1 clear1 w edge3 remove2 shrink u u u u u u u r r r r r r r u u u r r r"},
    {"s1 s1 u s1 r u u"},  // a new change lets go of what Redo could do
    {"s1 u add r"},        // so does a change that is no step
    {"s1 u grow r"},
    {"f1 clear1 f1 clear1 u u u u r r r r", 400, 1, 1},  // four steps of 320 kB each
    {"f1 clear1 u u f1 r", 400, 1, 0},
};
}  // namespace

// Slips caught: a Redo that re-runs the command instead of replaying what it did (other names,
// another marker number), a Redo kept past a new change, an Undo after a Redo that takes back
// the wrong step, a removal or ReSize whose Redo loses layers or cells, redo steps that do not
// count against the limit.
TEST(Redo, EverySequenceOfUndoAndRedoGivesTheMapOfThatPointInTheHistory) {
    for (const Sequence& sequence : kSequences) {
        SCOPED_TRACE(sequence.acts);
        History h(sequence.side);
        if (sequence.limitMB) h.e.settings.integers["UndoMemoryMB"] = sequence.limitMB;
        std::vector<std::string> states{h.state()};
        size_t at = 0;
        std::istringstream acts(sequence.acts);
        for (std::string act; acts >> act; ++h.k) {
            SCOPED_TRACE(act + " #" + std::to_string(h.k));
            if (act == "u") {
                undoLast(h.e);
                if (at > static_cast<size_t>(sequence.dropped)) --at;
            } else if (act == "r") {
                redoLast(h.e);
                if (at + 1 < states.size()) ++at;
            } else {
                const bool step = h.act(act);
                states.resize(at + 1);
                if (step) states.push_back(""), ++at;
                ASSERT_NE(h.state(), states[at - step]) << "the action changed nothing";
                states[at] = h.state();
            }
            ASSERT_EQ(h.state(), states[at]);
        }
        EXPECT_LE(h.e.history.bytes(), (sequence.limitMB ? size_t(sequence.limitMB) : 256u) << 20);
    }
}
