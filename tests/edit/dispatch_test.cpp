// Command dispatch: menu choices, the request queue taken newest first, and scrolling.
#include "edit/dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/command_names.h"
#include "edit/scroll.h"
#include "tests/support/test_editor.h"

namespace {
// Clicks the title at (titleX, 5), then the item at (itemX, itemY): press and release each.
void chooseMenuItem(TestEditor& t, int titleX, int itemX, int itemY) {
    t.frame(titleX, 5, SDL_BUTTON_LMASK);
    t.frame(titleX, 5, 0);
    t.frame(itemX, itemY, SDL_BUTTON_LMASK);
    t.frame(itemX, itemY, 0);
}

struct DispatchTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();
    void SetUp() override {
        t.focusAt(100, 100);
        t.frame(100, 100);
    }
};
}  // namespace

TEST_F(DispatchTest, FileExitEndsTheProgram) {
    chooseMenuItem(t, 10, 10, 85);
    EXPECT_EQ(e.quitRequested, 1);
}

TEST_F(DispatchTest, MenuRequestPostedAfterAKeyRunsFirst) {
    MapLayer* layer = currentMapLayer(e);
    t.frame(230, 5, SDL_BUTTON_LMASK);
    t.frame(230, 5, 0);
    t.frame(230, 20, SDL_BUTTON_LMASK);
    t.pressKey(SDLK_DOWN);
    t.frame(230, 20, 0);  // the key and the About item arrive in the same frame
    EXPECT_TRUE(findDialog(e, "About")->visible);
    EXPECT_EQ(layer->offsetY, 0);
    ASSERT_EQ(e.commandQueue.size(), 1u);
    // The About dialog is modal, but the queue still runs: the scroll happens next frame.
    t.frame(100, 100);
    EXPECT_EQ(layer->offsetY, 1);
}

TEST_F(DispatchTest, OneRequestRunsPerFrameNewestFirst) {
    MapLayer* layer = currentMapLayer(e);
    t.pressKey(SDLK_DOWN);
    t.pressKey(SDLK_DOWN);
    t.pressKey(SDLK_RIGHT);
    t.frame(100, 100);
    EXPECT_EQ(layer->offsetX, 1);
    EXPECT_EQ(layer->offsetY, 0);
    EXPECT_EQ(e.commandQueue.size(), 2u);
    t.frame(100, 100);
    EXPECT_EQ(layer->offsetY, 1);
    t.frame(100, 100);
    EXPECT_EQ(layer->offsetY, 2);
    EXPECT_TRUE(e.commandQueue.empty());
}

TEST_F(DispatchTest, RequestsTakenWhileFocusIsLostAreDropped) {
    postCommand(e.commandQueue, HashedName("ScrollDown"), "");
    e.focusName = "Focus Lost";
    handleInterfaceCommand(e);
    EXPECT_TRUE(e.commandQueue.empty());
    EXPECT_EQ(currentMapLayer(e)->offsetY, 0);
    postCommand(e.commandQueue, cmd::Exit, "");
    e.focusName = "";
    handleInterfaceCommand(e);
    EXPECT_EQ(e.quitRequested, 0);
}

// Right used to stop while the last column was only partly in view (536 pixels show 33.5
// columns), so its right half could never be seen. Both ways the view now stops with the last
// column and row wholly in view, and no further.
TEST_F(DispatchTest, ScrollStopsWithTheLastColumnAndRowWhollyInView) {
    const struct {
        int windowW, windowH, mapW, mapH;
    } cases[] = {
        {100, 100, 30, 30},    // 6.25 cells each way
        {96, 96, 30, 30},      // exactly 6 cells
        {536, 584, 128, 128},  // the design window beside the bundled palette
        {536, 584, 40, 30},    // wider than the window, not as tall
    };
    Window* design = findWindow(e, "DesignWindow");
    MapLayer* layer = currentMapLayer(e);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.windowW) + " x " + std::to_string(c.windowH));
        design->rect.w = static_cast<Uint16>(c.windowW);
        design->rect.h = static_cast<Uint16>(c.windowH);
        *layer = MapLayer{};
        layer->name = "Map1";
        layer->number = 1;
        layer->width = c.mapW;
        layer->height = c.mapH;
        layer->tiles.resize(static_cast<size_t>(c.mapW) * c.mapH);
        for (int i = 0; i < 200; ++i) {
            scrollWindow(e, *design, ScrollDirection::Right);
            scrollWindow(e, *design, ScrollDirection::Down);
        }
        // The last column's and row's far edges lie inside the window.
        EXPECT_LE((c.mapW - layer->offsetX) * 16, c.windowW);
        EXPECT_LE((c.mapH - layer->offsetY) * 16, c.windowH);
        EXPECT_EQ(layer->offsetX, std::max(c.mapW - c.windowW / 16, 0));
        EXPECT_EQ(layer->offsetY, std::max(c.mapH - c.windowH / 16, 0));
        for (int i = 0; i < 200; ++i) {
            scrollWindow(e, *design, ScrollDirection::Left);
            scrollWindow(e, *design, ScrollDirection::Up);
        }
        EXPECT_EQ(layer->offsetX, 0);
        EXPECT_EQ(layer->offsetY, 0);
    }
}

TEST_F(DispatchTest, ScrollingTheMapLeavesAnUnscrollableLayerAlone) {
    Window* design = findWindow(e, "DesignWindow");
    MapLayer* layer = currentMapLayer(e);
    layer->width = 3;  // narrower than the window
    layer->offsetX = 5;
    scrollWindow(e, *design, ScrollDirection::Right);
    EXPECT_EQ(layer->offsetX, 5);
    scrollWindow(e, *design, ScrollDirection::Left);
    EXPECT_EQ(layer->offsetX, 2);
}

TEST_F(DispatchTest, WheelOverThePaletteScrollsThePalette) {
    MapLayer* palette = findLayer(e.layers, "Tile01");
    findWindow(e, "TileWindow")->rect.h = 200;  // the whole palette would fit otherwise
    t.focusAt(600, 100);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEBUTTONDOWN;
    wheel.button.button = SDL_BUTTON_WHEELDOWN;
    SDL_PushEvent(&wheel);
    t.frame(600, 100);
    EXPECT_EQ(palette->offsetY, 1);
    EXPECT_EQ(currentMapLayer(e)->offsetY, 0);
}

TEST_F(DispatchTest, EditAndBrushItemsActAtOnce) {
    chooseMenuItem(t, 50, 50, 40);  // Edit, Fill
    EXPECT_EQ(e.toolMode, ToolMode::Fill);
    EXPECT_TRUE(e.commandQueue.empty());
    chooseMenuItem(t, 50, 50, 90);  // Edit, Draw Random
    EXPECT_EQ(e.toolMode, ToolMode::DrawRandom);
    chooseMenuItem(t, 95, 95, 20);  // Brush, Pick Brush
    EXPECT_EQ(e.pickBrushArmed, 1);
    chooseMenuItem(t, 95, 95, 56);  // Brush, Shuffle RB without a right brush
    EXPECT_EQ(e.activeBrushSide, "Right");
}

TEST_F(DispatchTest, DialogsOpenCentredByName) {
    postCommand(e.commandQueue, cmd::ReSize, "");
    e.nextMarkerTile = 700;
    handleInterfaceCommand(e);
    Dialog* resize = findDialog(e, "Resize Map");
    EXPECT_TRUE(resize->visible);
    EXPECT_EQ(resize->rect.x, 400 - 160);
    EXPECT_EQ(resize->rect.y, 300 - 50);
    resize->visible = 0;  // one dialog at a time
    postCommand(e.commandQueue, cmd::New, "");
    handleInterfaceCommand(e);
    EXPECT_TRUE(findDialog(e, "Create Map")->visible);
    EXPECT_EQ(e.nextMarkerTile, e.tileCount);
}

TEST_F(DispatchTest, TitleClickIsNoChoiceButAnItemClickIs) {
    t.frame(10, 5, SDL_BUTTON_LMASK);
    t.frame(10, 5, 0);  // opens File
    e.mouseReleased = 0;
    EXPECT_FALSE(handleMenuCommand(e));  // hovering is no click
    EXPECT_TRUE(findMenu(e.menus, cmd::File)->open);
    e.mouseReleased = 1;
    e.mouseX = 10;
    e.mouseY = 5;
    EXPECT_FALSE(handleMenuCommand(e));  // a title
    e.mouseY = 20;
    EXPECT_FALSE(handleMenuCommand(e));  // the menu closed again: nothing under the pointer
    e.mouseY = 5;
    handleMenuCommand(e);
    e.mouseY = 20;
    EXPECT_TRUE(handleMenuCommand(e));  // New
}
