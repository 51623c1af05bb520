// The stroke: Draw, Fill and the random tools on the current map layer.
#include <gtest/gtest.h>

#include <algorithm>

#include "edit/flood_fill.h"
#include "map/resize_layer.h"
#include "tests/support/map_test.h"

namespace {
using StrokeTest = MapTest;
}  // namespace

TEST_F(StrokeTest, DrawAtTheLeftEdgeDropsTheCellsLeftOfTheLayer) {
    mapOf(6, 3, 0);
    makeBrush(e, "Left", 4, 1, {11, 12, 13, 14});
    click(0, 1);
    EXPECT_EQ(at(0, 1), 13);
    EXPECT_EQ(at(1, 1), 14);
    EXPECT_EQ(at(2, 1), 0);
    EXPECT_EQ(at(5, 0), 0);  // nothing wrapped into the row above
}

TEST_F(StrokeTest, DrawOverTheRightEdgeNeverWraps) {
    mapOf(6, 3, 0);
    makeBrush(e, "Left", 2, 1, {11, 12});
    click(6, 1);  // beyond the last column: the brush's left cell lands on column 5
    EXPECT_EQ(at(5, 1), 11);
    EXPECT_EQ(at(0, 2), 0);
    click(5, 0);
    EXPECT_EQ(at(4, 0), 11);
    EXPECT_EQ(at(5, 0), 12);
    EXPECT_EQ(at(0, 1), 0);
}

TEST_F(StrokeTest, ThreeByThreeBrushPutsItsMiddleUnderTheMouseAndShowsItsSize) {
    mapOf(10, 10, 0);
    makeBrush(e, "Right", 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    e.mapFileName = "F";
    t.frame(mapX(4), mapY(4), SDL_BUTTON_RMASK);
    EXPECT_EQ(windowCaption(), "Velloran 1.09 / brush: 3x3 / layer:'Map1' / map:10x10 -- F");
    t.frame(mapX(4), mapY(4), 0);
    EXPECT_EQ(at(4, 4), 5);
    EXPECT_EQ(at(3, 3), 1);
    EXPECT_EQ(at(5, 5), 9);
    EXPECT_EQ(e.focusName, "DesignWindow");
}

TEST_F(StrokeTest, BothButtonsPaintWithTheLeftBrush) {
    mapOf(5, 5, 0);
    makeBrush(e, "Left", 1, 1, {21});
    makeBrush(e, "Right", 1, 1, {22});
    click(2, 2, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK);
    EXPECT_EQ(at(2, 2), 21);
    EXPECT_EQ(e.activeBrushSide, "Left");
}

TEST_F(StrokeTest, NoBrushMeansNoPaintAndNoStatus) {
    mapOf(5, 5, 0);
    click(2, 2);
    EXPECT_EQ(at(2, 2), 0);
    EXPECT_EQ(windowCaption(), "Velloran 1.09 / ");
    EXPECT_TRUE(e.history.undoSteps().empty());
}

TEST_F(StrokeTest, PatternFillIsAnchoredAtTheLayersCorner) {
    mapOf(5, 5, 7);
    makeBrush(e, "Left", 2, 2, {1, 2, 3, 4});
    e.toolMode = ToolMode::Fill;
    click(3, 3);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(at(x, y), 1 + (x % 2) + 2 * (y % 2)) << x << "," << y;
    }
}

TEST_F(StrokeTest, FillStaysInsideItsFourConnectedRegion) {
    mapOf(5, 5, 0);
    // A wall of tile 9 down column 2 and a pocket at (4, 0) touching the region only at a corner.
    for (int y = 0; y < 5; ++y) map->tiles[y * 5 + 2] = 9;
    map->tiles[0 * 5 + 3] = 9;
    map->tiles[1 * 5 + 4] = 9;
    makeBrush(e, "Left", 1, 1, {6});
    e.toolMode = ToolMode::Fill;
    click(0, 0);
    EXPECT_EQ(at(0, 0), 6);
    EXPECT_EQ(at(1, 4), 6);
    EXPECT_EQ(at(3, 1), 0);
    EXPECT_EQ(at(4, 0), 0);  // diagonal neighbour of nothing filled
    EXPECT_EQ(at(2, 2), 9);
}

TEST_F(StrokeTest, FillWithTheClickedTileChangesNothing) {
    mapOf(5, 5, 3);
    makeBrush(e, "Left", 1, 1, {3});
    e.toolMode = ToolMode::Fill;
    click(1, 1);
    for (uint16_t tile : map->tiles) EXPECT_EQ(tile, 3);
    EXPECT_TRUE(e.history.undoSteps().empty());
    makeBrush(e, "Left", 2, 2, {3, 1, 1, 1});  // first tile equals the clicked tile
    click(1, 1);
    for (uint16_t tile : map->tiles) EXPECT_EQ(tile, 3);
}

TEST_F(StrokeTest, StrokeStartedBeyondTheLayerDoesNothingAtAll) {
    mapOf(4, 4, 0);
    // A fill from one column or row past the map; a stamp none of whose cells reach it (the
    // 2 x 2 brush centred on column 5 covers columns 4 and 5).
    struct Case {
        int mode, column, row;
    };
    const Case cases[] = {{1, 4, 1}, {1, 1, 4}, {1, 20, 20}, {3, 4, 1}, {3, 1, 4}, {3, 20, 20},
                          {0, 5, 1}, {0, 1, 5}, {0, 20, 20}, {2, 5, 1}, {2, 1, 5}, {2, 20, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " at " + std::to_string(c.column) + "," +
                     std::to_string(c.row));
        const MapLayer* brush = makeBrush(e, "Left", 2, 2, {5, 6, 7, 8});
        e.toolMode = static_cast<ToolMode>(c.mode);
        SDL_WM_SetCaption("before the click", nullptr);
        click(c.column, c.row);
        EXPECT_EQ(tilesOf(*map), std::vector<int>(16, 0));
        EXPECT_EQ(tilesOf(*brush), (std::vector<int>{5, 6, 7, 8}));
        EXPECT_EQ(e.toolMode, static_cast<ToolMode>(c.mode));
        EXPECT_EQ(windowCaption(), "before the click");
        EXPECT_TRUE(e.history.undoSteps().empty());
    }
}

// Catches the held button stamping the brush over a Fill Random's result, and a press after it
// that is still held back (Draw, or a held Fill that fills again as its target changes).
TEST_F(StrokeTest, FillRandomPaintsNothingMoreInItsPressAndTheNextPressesPaint) {
    mapOf(6, 6, 0);
    makeBrush(e, "Left", 2, 1, {4, 5});
    e.toolMode = ToolMode::FillRandom;
    t.frame(mapX(0), mapY(0), SDL_BUTTON_LMASK);
    EXPECT_EQ(e.toolMode, ToolMode::Draw);
    int filled = 0;
    for (uint16_t tile : map->tiles) filled += tile == 4 || tile == 5;
    EXPECT_EQ(filled, 36);
    const std::vector<int> result = tilesOf(*map);
    for (int column = 0; column < 4; ++column) t.frame(mapX(column), mapY(3), SDL_BUTTON_LMASK);
    t.frame(mapX(3), mapY(3), 0);
    EXPECT_EQ(tilesOf(*map), result);
    EXPECT_EQ(e.history.undoSteps().size(), 1u);

    // The next press draws.
    fillTiles(*map, 0, 9);
    click(3, 3);
    int stamped = 0;
    for (uint16_t tile : map->tiles) stamped += tile != 9;
    EXPECT_EQ(stamped, 2);

    // A held Fill fills again in the frames after its first.
    e.toolMode = ToolMode::Fill;
    t.frame(mapX(0), mapY(0), SDL_BUTTON_LMASK);
    fillTiles(*map, 0, 9);
    t.frame(mapX(0), mapY(0), SDL_BUTTON_LMASK);
    t.frame(mapX(0), mapY(0), 0);
    const std::vector<int> refilled = tilesOf(*map);
    EXPECT_EQ(std::count(refilled.begin(), refilled.end(), 9), 0);
}

TEST_F(StrokeTest, DrawRandomKeepsTheBrushTilesAndReshufflesEachFrame) {
    mapOf(5, 5, 0);
    MapLayer* brush =
        makeBrush(e, "Left", 4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    e.toolMode = ToolMode::DrawRandom;
    std::srand(1);
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    std::vector<int> first = tilesOf(*brush);
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    std::vector<int> second = tilesOf(*brush);
    EXPECT_NE(first, second);
    std::sort(second.begin(), second.end());
    EXPECT_EQ(second, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    t.frame(mapX(2), mapY(2), 0);
    EXPECT_EQ(e.history.undoSteps().size(), 1u);
}

TEST_F(StrokeTest, FillsAndBordersOnLayersWithoutCells) {
    mapOf(0, 0, 0);
    makeBrush(e, "Left", 1, 1, {5});
    e.toolMode = ToolMode::Fill;
    click(0, 0);
    e.toolMode = ToolMode::Draw;
    click(0, 0);
    fillEdge(*map, 3);
    EXPECT_TRUE(map->tiles.empty());
}

TEST(FillEdge, SetsTheBorderRing) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 4, 3, "Map1", 0, 0);
    fillEdge(*layer, 8);
    EXPECT_EQ(tilesOf(*layer), (std::vector<int>{8, 8, 8, 8, 8, 0, 0, 8, 8, 8, 8, 8}));
    MapLayer* single = createLayer(layers, 1, 1, "One", 0, 0);
    fillEdge(*single, 8);
    EXPECT_EQ(single->tiles[0], 8);
    MapLayer* strip = createLayer(layers, 3, 1, "Strip", 0, 0);
    fillEdge(*strip, 8);
    EXPECT_EQ(tilesOf(*strip), (std::vector<int>{8, 8, 8}));
}

TEST_F(StrokeTest, MapFillEdgeUsesTheLeftBrushesFirstTileOrZero) {
    mapOf(3, 3, 5);
    t.focusAt(100, 100);
    t.frame(185, 5, SDL_BUTTON_LMASK);
    t.frame(185, 5, 0);
    t.frame(185, 56, SDL_BUTTON_LMASK);
    t.frame(185, 56, 0);  // Map, Fill Edge without a left brush
    EXPECT_EQ(tilesOf(*map), (std::vector<int>{0, 0, 0, 0, 5, 0, 0, 0, 0}));
    makeBrush(e, "Left", 2, 1, {7, 9});
    makeBrush(e, "Right", 1, 1, {4});
    t.frame(185, 5, SDL_BUTTON_LMASK);
    t.frame(185, 5, 0);
    t.frame(185, 56, SDL_BUTTON_LMASK);
    t.frame(185, 56, 0);
    EXPECT_EQ(tilesOf(*map), (std::vector<int>{7, 7, 7, 7, 5, 7, 7, 7, 7}));
}
