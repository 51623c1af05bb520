// Every menu item clicked through the menu bar's promised geometry, and the effect each must have.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

#include "app/command_names.h"
#include "edit/layer_commands.h"
#include "edit/undo.h"
#include "gui/interface.h"
#include "tests/support/editing.h"

namespace {
// Notes the screen the editor shows at the moment it asks for a map file.
struct WatchingChooser : FileChooser {
    Editor* editor = nullptr;
    std::vector<FileChooserRequest> requests;
    bool fullScreenWhenAsked = true;
    int screenWhenAsked[2] = {0, 0};

    std::string choose(const FileChooserRequest& request) override {
        requests.push_back(request);
        fullScreenWhenAsked = editor->fullScreen;
        screenWhenAsked[0] = editor->screen->w;
        screenWhenAsked[1] = editor->screen->h;
        return "";
    }
};

// The state every route starts from: three layers of tiles 5, 6, 7 with Map2 current, two
// 3 x 2 brushes, and a tool mode and marker counter that no route leaves as they are by chance.
struct Routes {
    TestEditor t;
    Editor& e = t.editor();
    WatchingChooser chooser;
    MapLayer* map[4] = {};

    Routes() {
        // The routes change the map first; whoever leaves it discards the changes.
        t.questions.answers.assign(4, SaveAnswer::Discard);
        chooser.editor = &e;
        e.fileChooser = &chooser;
        t.focusAt(100, 100);
        t.frame(100, 100);
        addLayer(e);
        addLayer(e);
        for (int n = 1; n <= 3; ++n) {
            map[n] = findLayer(e.layers, "Map" + std::to_string(n));
            fillTiles(*map[n], 0, static_cast<uint16_t>(4 + n));
        }
        changeLayer(e, "Map2");
        makeBrush(e, "Left", 3, 2, {11, 12, 13, 14, 15, 16});
        makeBrush(e, "Right", 3, 2, {21, 22, 23, 24, 25, 26});
        e.toolMode = static_cast<ToolMode>(4);
        e.nextMarkerTile = 999;
    }
    int at(int n, int column, int row) { return map[n]->tiles[row * map[n]->width + column]; }
    bool all(int n, int tile) {
        return std::all_of(map[n]->tiles.begin(), map[n]->tiles.end(),
                           [tile](uint16_t t) { return t == tile; });
    }
    std::vector<int> visibility() { return {map[1]->visible, map[2]->visible, map[3]->visible}; }
    std::vector<std::string> shownDialogs() {
        std::vector<std::string> names;
        for (const auto& d : e.dialogs)
            if (d->visible) names.push_back(d->name);
        return names;
    }
    std::vector<int> brush(const char* name) { return tilesOf(*findLayer(e.layers, name)); }
    void goFullScreenFrom640x480() {
        t.pushResize(640, 480);
        t.frame(100, 100);
        t.pressKey(SDLK_RETURN);
        t.frame(100, 100);
        ASSERT_TRUE(e.fullScreen);
        ASSERT_EQ(e.screen->w, fullScreenSize(e).w);
    }
    void expectAskedWindowed(FileChooserMode mode, const char* title) {
        ASSERT_EQ(chooser.requests.size(), 1u);
        EXPECT_EQ(chooser.requests[0].mode, mode);
        EXPECT_EQ(chooser.requests[0].title, title);
        EXPECT_FALSE(chooser.fullScreenWhenAsked);
        EXPECT_EQ(chooser.screenWhenAsked[0], 640);
        EXPECT_EQ(chooser.screenWhenAsked[1], 480);
        EXPECT_FALSE(e.fullScreen);
    }
    void expectLayerChosen(int n) {
        EXPECT_EQ(e.currentLayer, n);
        const std::string name = "Map" + std::to_string(n);
        ASSERT_NE(e.menus.selected, nullptr);
        EXPECT_EQ(e.menus.selected->label, name);
        for (MenuEntry* m = findMenu(e.menus, cmd::Layer)->next; m; m = m->next)
            EXPECT_EQ(m->selected != 0, m->label == name) << m->label;
    }
};

struct Route {
    const char* name;   // names the test case
    const char* menu;   // the title's label
    const char* label;  // the item's label
    int titleX;         // the promised geometry: titles (x, 2, 40, 13), items 18 high
    int itemTop;
    int itemWidth;
    void (*arrange)(Routes&);
    void (*check)(Routes&);
    uint8_t button;  // the button clicked with: a Shuffle must set the side itself
};

void nothing(Routes&) {}
constexpr uint8_t L = SDL_BUTTON_LMASK, R = SDL_BUTTON_RMASK;
const std::vector<int> kLeft = {11, 12, 13, 14, 15, 16}, kRight = {21, 22, 23, 24, 25, 26};

void expectShuffled(std::vector<int> tiles, const std::vector<int>& before) {
    EXPECT_NE(tiles, before);
    std::sort(tiles.begin(), tiles.end());
    EXPECT_EQ(tiles, before);
}

// Item tops follow from the promised heights: 15, 33, 51, ...; File's separator is 9 high, so
// Exit starts at 78; the Layer menu's separator is at 105 and its layer entries at 114, 132, 150.
const Route kRoutes[] = {
    {"File_New", "File", "New", 2, 15, 42, nothing,
     [](Routes& r) {
         EXPECT_EQ(r.shownDialogs(), std::vector<std::string>{"Create Map"});
         EXPECT_EQ(r.e.nextMarkerTile, r.e.tileCount);
     },
     L},
    {"File_Open", "File", "Open", 2, 33, 42, [](Routes& r) { r.goFullScreenFrom640x480(); },
     [](Routes& r) {
         r.expectAskedWindowed(FileChooserMode::Open, "Open Map File");
         EXPECT_EQ(r.e.nextMarkerTile, 999);  // the dialog was cancelled: nothing changes
     },
     L},
    {"File_Save", "File", "Save", 2, 51, 42, [](Routes& r) { r.goFullScreenFrom640x480(); },
     [](Routes& r) {
         r.expectAskedWindowed(FileChooserMode::Save, "Save Map File");
         EXPECT_EQ(r.e.nextMarkerTile, 999);
     },
     L},
    {"File_Exit", "File", "Exit", 2, 78, 42, nothing,
     [](Routes& r) { EXPECT_EQ(r.e.quitRequested, 1); }, L},
    {"Edit_Undo", "Edit", "Undo", 46, 15, 82,
     [](Routes& r) {
         r.e.toolMode = ToolMode::Draw;
         r.t.frame(mapX(3), mapY(3), L);
         r.t.frame(mapX(3), mapY(3), 0);
         ASSERT_EQ(r.at(2, 3, 3), 15);
         r.e.toolMode = static_cast<ToolMode>(4);
     },
     [](Routes& r) { EXPECT_TRUE(r.all(2, 6)); }, L},
    {"Edit_Fill", "Edit", "Fill", 46, 33, 82, nothing,
     [](Routes& r) { EXPECT_EQ(r.e.toolMode, ToolMode::Fill); }, L},
    {"Edit_FillRandom", "Edit", "Fill Random", 46, 51, 82, nothing,
     [](Routes& r) { EXPECT_EQ(r.e.toolMode, ToolMode::FillRandom); }, L},
    {"Edit_Draw", "Edit", "Draw", 46, 69, 82, nothing,
     [](Routes& r) { EXPECT_EQ(r.e.toolMode, ToolMode::Draw); }, L},
    {"Edit_DrawRandom", "Edit", "Draw Random", 46, 87, 82, nothing,
     [](Routes& r) { EXPECT_EQ(r.e.toolMode, ToolMode::DrawRandom); }, L},
    {"Edit_Redo", "Edit", "Redo", 46, 105, 82,
     [](Routes& r) {
         r.e.toolMode = ToolMode::Draw;
         r.t.frame(mapX(3), mapY(3), L);
         r.t.frame(mapX(3), mapY(3), 0);
         undoLast(r.e);
         ASSERT_TRUE(r.all(2, 6));
         r.e.toolMode = static_cast<ToolMode>(4);
     },
     [](Routes& r) { EXPECT_EQ(r.at(2, 3, 3), 15); }, L},
    {"Brush_PickBrush", "Brush", "Pick Brush", 90, 15, 68, nothing,
     [](Routes& r) { EXPECT_EQ(r.e.pickBrushArmed, 1); }, L},
    {"Brush_ShuffleLB", "Brush", "Shuffle LB", 90, 33, 68, [](Routes&) { std::srand(1); },
     [](Routes& r) {
         expectShuffled(r.brush("BrushLeft"), kLeft);
         EXPECT_EQ(r.brush("BrushRight"), kRight);
         EXPECT_EQ(r.e.activeBrushSide, "Left");
     },
     R},
    {"Brush_ShuffleRB", "Brush", "Shuffle RB", 90, 51, 68, [](Routes&) { std::srand(1); },
     [](Routes& r) {
         expectShuffled(r.brush("BrushRight"), kRight);
         EXPECT_EQ(r.brush("BrushLeft"), kLeft);
         EXPECT_EQ(r.e.activeBrushSide, "Right");
     },
     L},
    {"Layer_Add", "Layer", "Add", 134, 15, 80, nothing,
     [](Routes& r) {
         EXPECT_EQ(r.e.layerCount, 4);
         EXPECT_EQ(lastItem(r.e.menus, cmd::Layer)->label, "Map4");
         EXPECT_EQ(r.e.currentLayer, 2);
     },
     L},
    {"Layer_Remove", "Layer", "Remove", 134, 33, 80, nothing,
     [](Routes& r) {
         EXPECT_EQ(r.e.layerCount, 2);
         EXPECT_EQ(r.e.currentLayer, 1);
         EXPECT_EQ(findLayer(r.e.layers, "Map2")->tiles[0], 7);  // Map3 moved down
     },
     L},
    // Hide and Show are each clicked from both states, so a toggle in their place shows.
    {"Layer_Hide", "Layer", "Hide", 134, 51, 80, nothing,
     [](Routes& r) {
         EXPECT_EQ(r.visibility(), (std::vector<int>{1, 0, 1}));
     },
     L},
    {"Layer_HideAgain", "Layer", "Hide", 134, 51, 80, [](Routes& r) { r.map[2]->visible = 0; },
     [](Routes& r) {
         EXPECT_EQ(r.visibility(), (std::vector<int>{1, 0, 1}));
     },
     L},
    {"Layer_Show", "Layer", "Show", 134, 69, 80,
     [](Routes& r) {
         for (int n = 1; n <= 3; ++n) r.map[n]->visible = 0;
     },
     [](Routes& r) {
         EXPECT_EQ(r.visibility(), (std::vector<int>{0, 1, 0}));
     },
     L},
    {"Layer_ShowAgain", "Layer", "Show", 134, 69, 80, nothing,
     [](Routes& r) {
         EXPECT_EQ(r.visibility(), (std::vector<int>{1, 1, 1}));
     },
     L},
    {"Layer_Clear", "Layer", "Clear", 134, 87, 80, nothing,
     [](Routes& r) {
         EXPECT_TRUE(r.all(1, 5));
         EXPECT_TRUE(r.all(2, 1));
         EXPECT_TRUE(r.all(3, 7));
     },
     L},
    {"Layer_Map1", "Layer", "Map1", 134, 114, 80, nothing,
     [](Routes& r) { r.expectLayerChosen(1); }, L},
    {"Layer_Map2", "Layer", "Map2", 134, 132, 80, [](Routes& r) { changeLayer(r.e, "Map3"); },
     [](Routes& r) { r.expectLayerChosen(2); }, L},
    {"Layer_Map3", "Layer", "Map3", 134, 150, 80, nothing,
     [](Routes& r) { r.expectLayerChosen(3); }, L},
    {"Map_Clear", "Map", "Clear", 178, 15, 70, nothing,
     [](Routes& r) {
         EXPECT_TRUE(r.all(1, 0));
         EXPECT_TRUE(r.all(2, 1));
         EXPECT_TRUE(r.all(3, 1));
     },
     L},
    {"Map_ReSize", "Map", "ReSize", 178, 33, 70, nothing,
     [](Routes& r) { EXPECT_EQ(r.shownDialogs(), std::vector<std::string>{"Resize Map"}); }, L},
    {"Map_FillEdge", "Map", "Fill Edge", 178, 51, 70, nothing,
     [](Routes& r) {
         EXPECT_EQ(r.at(2, 0, 0), 11);
         EXPECT_EQ(r.at(2, 127, 127), 11);
         EXPECT_EQ(r.at(2, 64, 0), 11);
         EXPECT_EQ(r.at(2, 1, 1), 6);
         EXPECT_TRUE(r.all(1, 5));
         EXPECT_TRUE(r.all(3, 7));
     },
     L},
    {"Help_AboutVelloran", "Help", "About Velloran", 222, 15, 88, nothing,
     [](Routes& r) { EXPECT_EQ(r.shownDialogs(), std::vector<std::string>{"About"}); }, L},
};

const MenuEntry* highlightedEntry(const MenuList& menus) {
    for (const MenuEntry* title : menus.titles)
        for (const MenuEntry* m = title; m; m = m->next)
            if (m->highlighted) return m;
    return nullptr;
}

struct MenuRoutesTest : ::testing::TestWithParam<Route> {};

// Test listings show the route by its name rather than its bytes.
void PrintTo(const Route& route, std::ostream* out) {
    *out << route.name;
}
}  // namespace

// Each press lands on the top-left corner and each release, the click, on the bottom-right
// corner of the promised rectangle, so a slip in any position, width or height shows.
TEST_P(MenuRoutesTest, ItemClickedThroughTheMenuBarHasItsEffect) {
    const Route& route = GetParam();
    Routes r;
    route.arrange(r);
    ASSERT_FALSE(HasFatalFailure());
    r.t.frame(route.titleX, 2, route.button);
    ASSERT_NE(highlightedEntry(r.e.menus), nullptr);
    EXPECT_EQ(highlightedEntry(r.e.menus)->label, route.menu);
    r.t.frame(route.titleX + 39, 14, 0);
    ASSERT_TRUE(findMenu(r.e.menus, HashedName(route.menu))->open);
    r.t.frame(route.titleX, route.itemTop, route.button);
    ASSERT_NE(highlightedEntry(r.e.menus), nullptr);
    EXPECT_EQ(highlightedEntry(r.e.menus)->label, route.label);
    r.t.frame(route.titleX + route.itemWidth - 1, route.itemTop + 17, 0);
    EXPECT_FALSE(menusActive(r.e.menus));
    route.check(r);
}

INSTANTIATE_TEST_SUITE_P(MenuRoutes, MenuRoutesTest, ::testing::ValuesIn(kRoutes),
                         [](const ::testing::TestParamInfo<Route>& info) {
                             return std::string(info.param.name);
                         });

// A click frame never holds a button, so it could not paint; what shows a mouse step in it is
// the stroke taking the focus for the window under the pointer (cursors are null on the dummy
// driver). The focus stays on the palette until the frame after the click.
TEST(MenuRoutesFrame, TheFrameOfAMenuClickRunsNoMouseStep) {
    Routes r;
    r.t.focusAt(600, 100);
    r.t.frame(600, 100);
    ASSERT_EQ(r.e.focusName, kTileWindowName);
    r.t.frame(46, 2, L);
    r.t.frame(85, 14, 0);
    r.t.frame(46, 33, L);
    r.t.frame(127, 50, 0);  // Edit, Fill, released over the design window
    EXPECT_EQ(r.e.toolMode, ToolMode::Fill);
    EXPECT_EQ(r.e.focusName, kTileWindowName);
    EXPECT_TRUE(r.all(2, 6));
    r.t.frame(127, 50, 0);
    EXPECT_EQ(r.e.focusName, kDesignWindowName);
}
