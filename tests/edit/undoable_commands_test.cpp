// Undo of the commands that rewrite tiles outside a stroke: the clears, Fill Edge, the marker
// keys.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edit/layer_commands.h"
#include "edit/undo.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
// Two 4 x 4 layers whose every cell holds its own tile; Map1 is current, (1, 1) of Map1 holds
// the transparent tile 1 so that a marker can go there, and (2, 2) holds a marker.
struct Commands {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* first = nullptr;
    MapLayer* second = nullptr;

    Commands() {
        first = resizeLayer(e.layers, *currentMapLayer(e), 4, 4);
        addLayer(e);
        second = findLayer(e.layers, "Map2");
        second = resizeLayer(e.layers, *second, 4, 4);
        fillTiles(*first, 1, 100);
        fillTiles(*second, 1, 200);
        first->tiles[1 * 4 + 1] = 1;
        first->tiles[2 * 4 + 2] = static_cast<uint16_t>(e.tileCount + 3);
        t.focusAt(100, 100);
        t.frame(100, 100);
    }
    // A menu item through the menu bar: titles (x, 2, 40, 13), items 18 high below them.
    void menu(int titleX, int itemTop) {
        t.frame(titleX + 5, 5, SDL_BUTTON_LMASK);
        t.frame(titleX + 5, 5, 0);
        t.frame(titleX + 5, itemTop + 5, SDL_BUTTON_LMASK);
        t.frame(titleX + 5, itemTop + 5, 0);
    }
    // Keys act at the mouse position of the frame before, as in the running editor.
    void key(SDLKey k, int column, int row) {
        t.frame(mapX(column), mapY(row));
        t.pressKey(k);
        t.frame(mapX(column), mapY(row));
    }
    std::vector<std::vector<int>> tiles() { return {tilesOf(*first), tilesOf(*second)}; }
};

struct Case {
    const char* what;
    std::function<void(Commands&)> act;
};
const Case kChangingCommands[] = {
    {"Layer > Clear", [](Commands& c) { c.menu(134, 87); }},
    {"Layer > Clear of the second layer",
     [](Commands& c) {
         changeLayer(c.e, "Map2");
         c.menu(134, 87);
     }},
    {"Map > Clear", [](Commands& c) { c.menu(178, 15); }},
    {"Map > Fill Edge", [](Commands& c) { c.menu(178, 51); }},
    {"w", [](Commands& c) { c.key(SDLK_w, 1, 1); }},
    {"e lifting a marker", [](Commands& c) { c.key(SDLK_e, 2, 2); }},
};
}  // namespace

// Catches a command that changes tiles without recording them, or a Map > Clear recorded as
// one entry per layer (the first u would restore only one layer).
TEST(UndoableCommands, OneUndoTakesBackEachCommandOnEveryLayerItChanged) {
    for (const Case& c : kChangingCommands) {
        SCOPED_TRACE(c.what);
        Commands s;
        const auto before = s.tiles();
        c.act(s);
        const auto after = s.tiles();
        ASSERT_NE(after, before);
        EXPECT_FALSE(s.e.history.undoSteps().empty());
        s.key(SDLK_u, 3, 3);
        EXPECT_EQ(s.tiles(), before);
        EXPECT_TRUE(s.e.history.undoSteps().empty());
    }
}

// Catches a command recorded although it changed nothing: its Undo would seem to do nothing.
TEST(UndoableCommands, CommandsThatChangeNoTileRecordNothing) {
    const Case cases[] = {
        {"Layer > Clear of a cleared layer",
         [](Commands& c) {
             fillTiles(*c.first, 0, 1);
             c.menu(134, 87);
         }},
        {"Map > Clear of a cleared map",
         [](Commands& c) {
             fillTiles(*c.first, 0, 0);
             fillTiles(*c.second, 0, 1);
             c.menu(178, 15);
         }},
        {"Map > Fill Edge on a layer without cells",
         [](Commands& c) {
             resizeLayer(c.e.layers, *c.first, 0, 0);
             c.menu(178, 51);
         }},
        {"w on an ordinary tile", [](Commands& c) { c.key(SDLK_w, 3, 3); }},
        {"e with nothing held on an ordinary tile", [](Commands& c) { c.key(SDLK_e, 3, 3); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Commands s;
        c.act(s);
        EXPECT_TRUE(s.e.history.undoSteps().empty());
    }
}

// Catches an Undo that runs past the start of a Map > Clear step into the stroke before it, and
// a step that loses its place when one of its layers is removed.
TEST(UndoableCommands, MapClearIsOneStepBetweenTheStepsAroundIt) {
    Commands s;
    makeBrush(s.e, "Left", 1, 1, {5});
    s.t.frame(mapX(3), mapY(3), SDL_BUTTON_LMASK);
    s.t.frame(mapX(3), mapY(3), 0);
    const auto stroked = s.tiles();
    s.menu(178, 15);
    s.menu(178, 15);  // nothing left to clear: no step
    undoLast(s.e);
    EXPECT_EQ(s.tiles(), stroked);
    undoLast(s.e);
    EXPECT_EQ(s.first->tiles[3 * 4 + 3], 115);
    EXPECT_TRUE(s.e.history.undoSteps().empty());

    // Map2 removed after the clear: Undo brings Map2 back first, then the clear of both.
    s.t.frame(mapX(3), mapY(3), SDL_BUTTON_LMASK);
    s.t.frame(mapX(3), mapY(3), 0);
    s.menu(178, 15);
    changeLayer(s.e, "Map2");
    removeCurrentLayer(s.e);
    undoLast(s.e);
    EXPECT_EQ(s.tiles().size(), stroked.size());
    undoLast(s.e);
    EXPECT_EQ(s.tiles(), stroked);
    undoLast(s.e);
    EXPECT_EQ(s.first->tiles[3 * 4 + 3], 115);
}

// A move with e is two keys and two steps. Catches an Undo of the lift that leaves the marker
// held as well (a second e would put down a copy), and a click with a one-cell brush on the
// marker's cell merged into the marker's step.
TEST(UndoableCommands, MarkerMoveIsTwoStepsAndAnUndoneLiftHoldsNothing) {
    Commands s;
    s.key(SDLK_w, 1, 1);
    const int marker = s.e.tileCount;
    s.key(SDLK_e, 1, 1);
    s.key(SDLK_e, 3, 0);
    ASSERT_EQ(s.first->tiles[3], marker);
    s.key(SDLK_u, 0, 0);
    EXPECT_EQ(s.first->tiles[3], 103);
    EXPECT_EQ(s.first->tiles[5], 1);  // off the map until the lift is undone too
    s.key(SDLK_u, 0, 0);
    EXPECT_EQ(s.first->tiles[5], marker);

    s.key(SDLK_e, 1, 1);
    ASSERT_EQ(s.e.heldMarkerTile, marker);
    s.key(SDLK_u, 0, 0);
    EXPECT_EQ(s.first->tiles[5], marker);
    EXPECT_EQ(s.e.heldMarkerTile, 0);
    s.key(SDLK_e, 3, 0);
    EXPECT_EQ(s.first->tiles[3], 103);

    makeBrush(s.e, "Left", 1, 1, {7});
    s.t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    s.t.frame(mapX(1), mapY(1), 0);
    undoLast(s.e);
    EXPECT_EQ(s.first->tiles[5], marker);
}
