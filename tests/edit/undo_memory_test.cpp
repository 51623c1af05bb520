// What undo steps hold in memory, and the limit on the whole history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/changed_cells.h"
#include "edit/layer_commands.h"
#include "edit/undo.h"
#include "map/resize_layer.h"
#include "tests/support/map_test.h"

namespace {
struct UndoMemoryTest : MapTest {
    const UndoRecord& newest() { return e.history.undoSteps().back().records.at(0); }
    // Sets every cell to `tile`, then clears the layer: an undo step of every cell.
    void clearAfterFilling(uint16_t tile) {
        fillTiles(*map, 0, tile);
        clearCurrentLayer(e);
    }
};
}  // namespace

// Each stroke on a 4096 x 4096 layer costs what it changed, and Undo puts exactly that back.
TEST_F(UndoMemoryTest, StepsHoldOnlyTheCellsTheirStrokeChanged) {
    mapOf(4096, 4096, 3);
    // A 10 x 10 pond of tile 7 in the grass, for a small fill.
    for (int row = 2; row < 12; ++row)
        for (int column = 2; column < 12; ++column) setTile(*map, column, row, 7);
    struct Case {
        const char* what;
        int mode;
        int column, row;
        size_t cells;     // cells the step holds
        size_t atMostKB;  // what it may cost
    };
    const Case cases[] = {
        {"3 x 3 stamp", 0, 20, 20, 9, 1},
        {"fill of the 100-cell pond", 1, 5, 5, 100, 2},
        {"fill of the rest of the layer", 1, 30, 30, 4096 * 4096 - 100 - 9, 32 * 1024 + 64},
    };
    makeBrush(e, "Left", 3, 3, {5, 5, 5, 5, 5, 5, 5, 5, 5});
    std::vector<std::vector<uint16_t>> before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.mode == 1) makeBrush(e, "Left", 1, 1, {c.row == 5 ? 8 : 9});
        e.toolMode = static_cast<ToolMode>(c.mode);
        before.push_back(map->tiles);
        const size_t steps = e.history.undoSteps().size();
        click(c.column, c.row);
        ASSERT_EQ(e.history.undoSteps().size(), steps + 1);
        EXPECT_EQ(newest().cells.cellCount(), c.cells);
        EXPECT_LE(e.history.undoSteps().back().bytes, c.atMostKB * 1024);
    }
    for (size_t i = before.size(); i-- > 0;) {
        undoLast(e);
        EXPECT_TRUE(map->tiles == before[i]) << "after undoing " << cases[i].what;
    }
}

// A press that fills one region, is dragged on and fills another is one step: Undo puts both
// regions back, not only the first.
TEST_F(UndoMemoryTest, HeldFillDraggedOverTwoRegionsIsOneStepThatRestoresBoth) {
    mapOf(8, 8, 3);
    for (int row = 0; row < 8; ++row)
        for (int column = 4; column < 8; ++column) setTile(*map, column, row, 4);
    const std::vector<int> before = tilesOf(*map);
    makeBrush(e, "Left", 1, 1, {5});
    e.toolMode = ToolMode::Fill;
    t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(6), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(6), mapY(1), 0);
    EXPECT_EQ(tilesOf(*map), std::vector<int>(64, 5));
    ASSERT_EQ(e.history.undoSteps().size(), 1u);
    EXPECT_EQ(newest().cells.cellCount(), 64u);
    undoLast(e);
    EXPECT_EQ(tilesOf(*map), before);
}

// The history keeps within UndoMemoryMB by letting the oldest steps go; the newest stays even
// when it alone is larger than the limit, until the next step comes.
TEST_F(UndoMemoryTest, OldestStepsGoFirstWhenTheHistoryReachesItsLimit) {
    e.settings.integers["UndoMemoryMB"] = 1;
    mapOf(400, 400, 1);  // a clear of every cell costs 320,000 bytes and a little
    for (uint16_t tile = 5; tile < 10; ++tile) clearAfterFilling(tile);
    ASSERT_EQ(e.history.undoSteps().size(), 3u);
    EXPECT_LE(e.history.bytes(), size_t{1} << 20);
    for (uint16_t tile : {9, 8, 7, 7}) {
        undoLast(e);
        EXPECT_EQ(map->tiles[0], tile);
    }
    EXPECT_EQ(e.history.redoSteps().size(), 3u);  // Redo's steps count against the limit too
    EXPECT_LE(e.history.bytes(), size_t{1} << 20);

    mapOf(1024, 1024, 1);  // a clear of this one alone costs 2 MB
    clearAfterFilling(5);
    ASSERT_EQ(e.history.undoSteps().size(), 1u);
    EXPECT_GT(e.history.bytes(), size_t{2} << 20);
    makeBrush(e, "Left", 1, 1, {6});
    e.toolMode = ToolMode::Draw;
    click(3, 3);
    ASSERT_EQ(e.history.undoSteps().size(), 1u);  // the big one made room for the stamp
    EXPECT_LT(e.history.bytes(), 1024u);
}

TEST_F(UndoMemoryTest, LimitComesFromTheSettingOrIs256Megabytes) {
    const struct {
        bool set;
        int megabytes;
        size_t bytes;
    } cases[] = {{false, 0, size_t{256} << 20},
                 {true, 3, size_t{3} << 20},
                 {true, 0, size_t{256} << 20},
                 {true, -5, size_t{256} << 20},
                 {true, 65536, size_t{65536} << 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.megabytes);
        e.settings.integers.erase("UndoMemoryMB");
        if (c.set) e.settings.integers["UndoMemoryMB"] = c.megabytes;
        EXPECT_EQ(undoLimitBytes(e), c.bytes);
    }
}

// A fill may overwrite a cell twice within one press; the step must go back to the tile the
// cell had first, and a cell that ends as it began is no change at all.
TEST(ChangedCells, KeepsTheFirstTileOfACellNotedTwiceAndDropsCellsThatEndAsTheyBegan) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 6, 1, "Map1", 1, 10);  // tiles 10 .. 15
    ChangedCells cells;
    auto overwrite = [&](size_t index, uint16_t tile) {
        cells.note(*layer, index, 1);
        layer->tiles[index] = tile;
    };
    overwrite(1, 20);  // 11 -> 20 -> 21: back to 11
    overwrite(1, 21);
    overwrite(2, 22);  // 12 -> 22 -> 12: no change
    overwrite(2, 12);
    overwrite(3, 23);  // continues the run of cell 2
    overwrite(5, 25);
    keepChangedOnly(cells, *layer);
    EXPECT_EQ(cells.runStart, (std::vector<uint32_t>{1, 3, 5}));
    EXPECT_EQ(cells.runLength, (std::vector<uint32_t>{1, 1, 1}));
    EXPECT_EQ(cells.oldTiles, (std::vector<uint16_t>{11, 13, 15}));
    restoreCells(cells, *layer, layer->width);
    EXPECT_EQ(tilesOf(*layer), (std::vector<int>{10, 11, 12, 13, 14, 15}));

    ChangedCells runs;
    runs.note(*layer, 0, 2);
    runs.note(*layer, 2, 3);  // joins the run before it
    runs.note(*layer, 4, 1);  // noted again: a run of its own
    EXPECT_EQ(runs.runStart, (std::vector<uint32_t>{0, 4}));
    EXPECT_EQ(runs.runLength, (std::vector<uint32_t>{5, 1}));
}
