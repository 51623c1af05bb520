// Undo: what strokes record and what Undo restores.
#include "edit/undo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "edit/layer_commands.h"
#include "map/resize_layer.h"
#include "tests/support/map_test.h"

namespace {
struct UndoTest : MapTest {
    void SetUp() override { mapOf(8, 8, 100, 1); }  // every cell its own tile
};
}  // namespace

TEST_F(UndoTest, HeldStampRecordsOneEntryAndUndoRestoresTheCell) {
    makeBrush(e, "Left", 1, 1, {5});
    for (int i = 0; i < 10; ++i) t.frame(mapX(4), mapY(4), SDL_BUTTON_LMASK);
    t.frame(mapX(4), mapY(4), 0);
    ASSERT_EQ(e.history.undoSteps().size(), 1u);
    EXPECT_EQ(at(4, 4), 5);
    t.pressKey(SDLK_u);
    t.frame(mapX(4), mapY(4), 0);
    EXPECT_EQ(at(4, 4), 100 + 4 * 8 + 4);
    EXPECT_TRUE(e.history.undoSteps().empty());
}

TEST_F(UndoTest, DraggedStampIsTakenBackCellByCell) {
    makeBrush(e, "Left", 1, 1, {5});
    for (int column = 1; column <= 3; ++column) t.frame(mapX(column), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(3), mapY(2), 0);
    EXPECT_EQ(e.history.undoSteps().size(), 3u);
    undoLast(e);
    EXPECT_EQ(at(3, 2), 100 + 16 + 3);
    EXPECT_EQ(at(2, 2), 5);
}

TEST_F(UndoTest, StampAtTheCornerRecordsItsOriginAndRestoresOnlyCellsInside) {
    makeBrush(e, "Left", 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    t.frame(mapX(0), mapY(0), SDL_BUTTON_LMASK);
    t.frame(mapX(0), mapY(0), 0);
    ASSERT_EQ(e.history.undoSteps().size(), 1u);
    const UndoRecord& record = e.history.undoSteps()[0].records.at(0);
    EXPECT_EQ(record.footprint.column, -1);
    EXPECT_EQ(record.footprint.row, -1);
    EXPECT_EQ(record.footprint.width, 3);
    EXPECT_EQ(record.cells.cellCount(), 4u);  // only the cells on the map
    EXPECT_EQ(at(0, 0), 5);
    EXPECT_EQ(at(1, 1), 9);
    std::vector<int> before = tilesOf(*map);
    before[0] = 100;
    before[1] = 101;
    before[8] = 108;
    before[9] = 109;
    undoLast(e);
    EXPECT_EQ(tilesOf(*map), before);
}

TEST_F(UndoTest, UndoWritesIntoTheLayerTheStrokeWasMadeOn) {
    MapLayer* second = createLayer(e.layers, 8, 8, "Map2", 0, 1);
    second->number = 2;
    e.layerCount = 2;
    e.currentLayer = 2;
    makeBrush(e, "Left", 1, 1, {5});
    t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(1), mapY(1), 0);
    EXPECT_EQ(second->tiles[9], 5);
    e.currentLayer = 1;
    undoLast(e);
    EXPECT_EQ(second->tiles[9], 1);
    EXPECT_EQ(at(1, 1), 109);
}

TEST_F(UndoTest, HeldFillRecordsOneEntryPerPress) {
    fillTiles(*map, 0, 3);
    makeBrush(e, "Left", 1, 1, {5});
    e.toolMode = ToolMode::Fill;
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    // Put the target tile back under the held button: every frame fills again.
    for (int i = 0; i < 5; ++i) {
        fillTiles(*map, 0, 3);
        t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    }
    t.frame(mapX(2), mapY(2), 0);
    EXPECT_EQ(e.history.undoSteps().size(), 1u);
    undoLast(e);
    for (uint16_t tile : map->tiles) EXPECT_EQ(tile, 3);
    // A new press records anew.
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(2), mapY(2), 0);
    EXPECT_EQ(e.history.undoSteps().size(), 1u);
}

TEST_F(UndoTest, FillIsRecordedEvenWhenTheBrushMatchesTheLayersFirstCell) {
    fillTiles(*map, 0, 3);
    map->tiles[0] = 5;
    makeBrush(e, "Left", 1, 1, {5});
    e.toolMode = ToolMode::Fill;
    t.frame(mapX(4), mapY(4), SDL_BUTTON_LMASK);
    t.frame(mapX(4), mapY(4), 0);
    ASSERT_EQ(e.history.undoSteps().size(), 1u);
    undoLast(e);
    EXPECT_EQ(at(4, 4), 3);
    EXPECT_EQ(at(0, 0), 5);
}

TEST_F(UndoTest, DrawRandomHeldStillRestoresTheTilesBeforeTheFirstStamp) {
    makeBrush(e, "Left", 2, 2, {1, 2, 3, 4});
    e.toolMode = ToolMode::DrawRandom;
    std::vector<int> before = tilesOf(*map);
    for (int i = 0; i < 6; ++i) t.frame(mapX(3), mapY(3), SDL_BUTTON_LMASK);
    t.frame(mapX(3), mapY(3), 0);
    EXPECT_EQ(e.history.undoSteps().size(), 1u);
    undoLast(e);
    EXPECT_EQ(tilesOf(*map), before);
}

TEST_F(UndoTest, UndoOnAnEmptyStackChangesNothingAndNeedsNoCurrentLayer) {
    const std::vector<int> untouched = tilesOf(*map);
    undoLast(e);
    EXPECT_EQ(tilesOf(*map), untouched);
    makeBrush(e, "Left", 1, 1, {5});
    t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(1), mapY(1), 0);
    e.currentLayer = 7;  // names no layer
    undoLast(e);
    EXPECT_TRUE(e.history.undoSteps().empty());
    EXPECT_EQ(tilesOf(*map), untouched);
}

TEST_F(UndoTest, FillRandomIsRecordedExactlyWhenItChangesACell) {
    // The 2 x 2 brush holds the clicked tile 2, so a shuffled brush may put 2 back on the
    // clicked cell (nothing changes) or not; unshuffled it puts 2 on odd columns of even rows.
    int changedWhereTheUnshuffledBrushFits = 0;
    int unchanged = 0;
    for (int i = 0; i < 16; ++i) {
        const int column = i % 4, row = i / 4;
        SCOPED_TRACE(std::to_string(column) + "," + std::to_string(row));
        fillTiles(*map, 0, 2);
        makeBrush(e, "Left", 2, 2, {1, 2, 3, 4});
        clearUndo(e);
        e.toolMode = ToolMode::FillRandom;
        std::srand(i + 1);
        const std::vector<int> before = tilesOf(*map);
        t.frame(mapX(column), mapY(row), SDL_BUTTON_LMASK);
        t.frame(mapX(column), mapY(row), 0);
        const bool changed = tilesOf(*map) != before;
        EXPECT_EQ(e.history.undoSteps().size(), changed ? 1u : 0u);
        undoLast(e);
        EXPECT_EQ(tilesOf(*map), before);
        changedWhereTheUnshuffledBrushFits += changed && column % 2 == 1 && row % 2 == 0;
        unchanged += !changed;
    }
    EXPECT_GT(changedWhereTheUnshuffledBrushFits, 0);
    EXPECT_GT(unchanged, 0);
}

TEST_F(UndoTest, EditUndoMenuItemUndoes) {
    makeBrush(e, "Left", 1, 1, {5});
    t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(1), mapY(1), 0);
    t.frame(50, 5, SDL_BUTTON_LMASK);
    t.frame(50, 5, 0);
    t.frame(50, 20, SDL_BUTTON_LMASK);
    t.frame(50, 20, 0);
    EXPECT_EQ(at(1, 1), 109);
}

// A press held while the layer is switched under it, or while Undo is pressed: every layer the
// press changed has its entry, and undoing them all brings every layer back.
TEST(UndoAcrossLayers, HeldStrokeIsRecordedOncePerLayerItChanges) {
    struct Case {
        const char* what;
        int mode;
        std::vector<SDLKey> keys;
        size_t entries;
    };
    const Case cases[] = {
        {"fill, switch to layer 2", 1, {SDLK_2}, 2},
        {"fill, switch to layer 2 and back", 1, {SDLK_2, SDLK_1}, 2},
        {"fill, undo", 1, {SDLK_u}, 1},
        {"fill, undo, switch to layer 2", 1, {SDLK_u, SDLK_2}, 2},
        {"draw, switch to layer 2", 0, {SDLK_2}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestEditor t;
        Editor& e = t.editor();
        MapLayer* first = resizeLayer(e.layers, *currentMapLayer(e), 8, 8);
        fillTiles(*first, 0, 3);
        addLayer(e);
        const MapLayer* second = findLayer(e.layers, "Map2");
        ASSERT_NE(second, nullptr);
        makeBrush(e, "Left", 1, 1, {5});
        e.toolMode = static_cast<ToolMode>(c.mode);
        t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
        for (SDLKey key : c.keys) {
            t.pressKey(key);
            t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
        }
        t.frame(mapX(2), mapY(2), 0);
        EXPECT_EQ(e.history.undoSteps().size(), c.entries);
        while (!e.history.undoSteps().empty()) undoLast(e);
        EXPECT_EQ(tilesOf(*first), std::vector<int>(64, 3));
        EXPECT_EQ(tilesOf(*second), std::vector<int>(64, 1));
    }
}

// Removing a layer closes the gap by renaming the layers above it; their strokes go with them,
// so Undo never pastes a removed layer's cells into the layer that took its name. The removal
// is a step of its own that brings the layer back whole, in its place, with the names above.
// Slips caught: records keyed by name, a removal that is no step (u undoes an older stroke).
TEST_F(UndoTest, RemovalIsUndoneWholeAndStrokesFollowTheirLayerThroughTheRenames) {
    addLayer(e);
    addLayer(e);
    makeBrush(e, "Left", 1, 1, {5});
    findLayer(e.layers, "Map2")->tiles[2 * 8 + 2] = 7;  // what the removed layer had there
    for (const char* layer : {"Map2", "Map3"}) {
        changeLayer(e, layer);
        t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
        t.frame(mapX(2), mapY(2), 0);
    }
    MapLayer* third = findLayer(e.layers, "Map3");
    MapLayer* removed = findLayer(e.layers, "Map2");
    removed->offsetX = 3;
    changeLayer(e, "Map2");
    removeCurrentLayer(e);
    ASSERT_EQ(third->name, "Map2");  // the third layer moved down and took the name
    ASSERT_EQ(third->number, 2);
    ASSERT_EQ(third->tiles[2 * 8 + 2], 5);
    EXPECT_GE(e.history.bytes(), removed->tiles.size() * 2);  // the layer itself, counted once
    undoLast(e);                                              // the removal
    EXPECT_EQ(findLayer(e.layers, "Map2"), removed);
    EXPECT_EQ(removed->number, 2);
    EXPECT_EQ(removed->offsetX, 3);
    EXPECT_EQ(third->name, "Map3");
    EXPECT_EQ(third->number, 3);
    EXPECT_EQ(e.currentLayer, 2);
    EXPECT_EQ(e.layerCount, 3);
    EXPECT_EQ(findWindow(e, "DesignWindow")->layerNames,
              (std::vector<std::string>{"Map1", "Map2", "Map3"}));
    undoLast(e);  // the third layer's own stroke
    EXPECT_EQ(third->tiles[2 * 8 + 2], 1);
    EXPECT_EQ(removed->tiles[2 * 8 + 2], 5);
    undoLast(e);  // the removed layer's stroke
    EXPECT_EQ(removed->tiles[2 * 8 + 2], 7);
    EXPECT_TRUE(e.history.undoSteps().empty());
}
