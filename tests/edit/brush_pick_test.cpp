// Picking brushes from the palette and from the map.
#include <gtest/gtest.h>

#include "app/command_names.h"
#include "edit/layer_commands.h"
#include "tests/support/editing.h"

TEST(BrushPick, DragOnThePaletteGivesTheLeftBrushThatBlock) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* right = makeBrush(e, "Right", 1, 1, {42});
    t.frame(paletteX(5), paletteY(2), SDL_BUTTON_LMASK);
    t.frame(paletteX(4), paletteY(3), SDL_BUTTON_LMASK);
    t.frame(paletteX(3), paletteY(4), SDL_BUTTON_LMASK);
    EXPECT_EQ(windowCaption(), "Velloran 1.09 / brush: 3x3 / icon:67");
    t.frame(paletteX(3), paletteY(4), 0);
    MapLayer* left = findLayer(e.layers, "BrushLeft");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->width, 3);
    EXPECT_EQ(left->height, 3);
    EXPECT_EQ(left->number, -1);
    EXPECT_EQ(tilesOf(*left), (std::vector<int>{35, 36, 37, 51, 52, 53, 67, 68, 69}));
    EXPECT_EQ(findLayer(e.layers, "BrushRight"), right);
    EXPECT_EQ(tilesOf(*right), (std::vector<int>{42}));
}

TEST(BrushPick, ClickWithoutMovingPicksOneTileWithTheRightButton) {
    TestEditor t;
    Editor& e = t.editor();
    t.frame(paletteX(7), paletteY(1), SDL_BUTTON_RMASK);
    t.frame(paletteX(7), paletteY(1), 0);
    MapLayer* right = findLayer(e.layers, "BrushRight");
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(tilesOf(*right), (std::vector<int>{23}));
    EXPECT_EQ(findLayer(e.layers, "BrushLeft"), nullptr);
    EXPECT_EQ(e.activeBrushSide, "Right");
}

TEST(BrushPick, DragHighlightsTheBlockForOneFrame) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* palette = findLayer(e.layers, "Tile01");
    e.mouseButtons = SDL_BUTTON_LMASK;
    t.frame(paletteX(1), paletteY(1), SDL_BUTTON_LMASK);
    // Drawing the frame shaded and cleared the highlights; the pick state remains.
    EXPECT_EQ(palette->highlighted.count(17), 0u);
    EXPECT_TRUE(e.pick.pickInProgress);
    EXPECT_LT(pixelAt(e.screen, paletteX(1), paletteY(1)).r, 255);
}

TEST(BrushPick, PickBrushMakesOneDragOnTheMapPickAndTheNextPaint) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* map = currentMapLayer(e);
    map->tiles[2 * 128 + 3] = 7;
    map->tiles[2 * 128 + 4] = 8;
    t.pressKey(SDLK_p);
    t.frame(mapX(3), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(4), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(4), mapY(2), 0);
    EXPECT_EQ(e.pickBrushArmed, 0);
    MapLayer* left = findLayer(e.layers, "BrushLeft");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(tilesOf(*left), (std::vector<int>{7, 8}));
    EXPECT_EQ(tilesOf(*map).size(), 128u * 128u);
    // The next drag paints the 2 x 1 brush centred: its right cell under the mouse.
    t.frame(mapX(10), mapY(10), SDL_BUTTON_LMASK);
    t.frame(mapX(10), mapY(10), 0);
    EXPECT_EQ(map->tiles[10 * 128 + 9], 7);
    EXPECT_EQ(map->tiles[10 * 128 + 10], 8);
}

TEST(BrushPick, DragOnTheMapWithoutPickBrushPaints) {
    TestEditor t;
    Editor& e = t.editor();
    makeBrush(e, "Left", 1, 1, {5});
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(2), mapY(2), 0);
    EXPECT_EQ(currentMapLayer(e)->tiles[2 * 128 + 2], 5);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")), (std::vector<int>{5}));
}

TEST(BrushPick, DraggingPastThePalettesLastRowPutsTileZeroThere) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* palette = findLayer(e.layers, "Tile01");
    palette->offsetY = 35;  // the last row at the top of the tile window
    t.frame(paletteX(0), paletteY(0), SDL_BUTTON_LMASK);
    t.frame(paletteX(0), paletteY(1), SDL_BUTTON_LMASK);
    t.frame(paletteX(0), paletteY(1), 0);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")), (std::vector<int>{560, 0}));
}

// Layer names that begin with "Map" without being Map<n> must survive the old brush's removal.
TEST(BrushPick, ReplacingABrushLeavesTheMapLayersAsTheyAre) {
    TestEditorOptions options;
    options.configuration = kTestConfiguration;
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"Map1", "MapGround"}, {"Map2", "MapTrees"}}) {
        const std::string setting = "Value=\"" + from + "\"";
        options.configuration.replace(options.configuration.find(setting), setting.size(),
                                      "Value=\"" + to + "\"");
    }
    TestEditor t(options);
    Editor& e = t.editor();
    addLayer(e);
    MapLayer* ground = findLayer(e.layers, "MapGround");
    MapLayer* upper = findLayer(e.layers, "MapTrees");
    ASSERT_NE(ground, nullptr);
    ASSERT_NE(upper, nullptr);
    makeBrush(e, "Left", 1, 1, {5});
    t.frame(paletteX(3), paletteY(0), SDL_BUTTON_LMASK);
    t.frame(paletteX(3), paletteY(0), 0);
    ASSERT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")), (std::vector<int>{3}));
    EXPECT_EQ(ground->name, "MapGround");
    EXPECT_EQ(upper->name, "MapTrees");
    EXPECT_EQ(ground->number, 1);
    EXPECT_EQ(upper->number, 2);
    // Still the layer the tools paint, and still drawn and saved under the names the view lists.
    EXPECT_EQ(currentMapLayer(e), ground);
    for (const std::string& name : findWindow(e, kDesignWindowName)->layerNames)
        EXPECT_NE(findLayer(e.layers, name), nullptr) << name;
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(2), mapY(2), 0);
    EXPECT_EQ(ground->tiles[2 * 128 + 2], 3);
}
