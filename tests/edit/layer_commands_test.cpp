// The Layer menu's commands: add, remove, choose, hide and show, clear; and the Map menu's Clear.
#include "edit/layer_commands.h"

#include <gtest/gtest.h>

#include "app/command_names.h"
#include "edit/dispatch.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
struct LayerCommandsTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    void SetUp() override { e.focusName = "DesignWindow"; }
    void request(const std::string& command, const std::string& parameter = "") {
        postCommand(e.commandQueue, HashedName(command), parameter);
        handleInterfaceCommand(e);
    }
    // The Layer menu's entries after its separator.
    std::vector<MenuEntry*> layerEntries() {
        std::vector<MenuEntry*> entries;
        bool afterSeparator = false;
        for (MenuEntry* m = findMenu(e.menus, cmd::Layer)->next; m && !m->isTitle; m = m->next) {
            if (afterSeparator) entries.push_back(m);
            afterSeparator |= m->separator != 0;
        }
        return entries;
    }
    std::vector<std::string> entryLabels() {
        std::vector<std::string> labels;
        for (MenuEntry* m : layerEntries()) labels.push_back(m->label + (m->selected ? "*" : ""));
        return labels;
    }
    std::vector<std::string>& drawn() { return findWindow(e, "DesignWindow")->layerNames; }
};
}  // namespace

TEST_F(LayerCommandsTest, AddCopiesTheFirstLayersSizeAndScrollAndGoesOnTop) {
    MapLayer* first = resizeLayer(e.layers, *currentMapLayer(e), 20, 10);
    first->offsetX = 3;
    first->offsetY = 4;
    addLayer(e);
    MapLayer* added = findLayer(e.layers, "Map2");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->number, 2);
    EXPECT_EQ(added->width, 20);
    EXPECT_EQ(added->height, 10);
    EXPECT_EQ(added->offsetX, 3);
    EXPECT_EQ(added->offsetY, 4);
    EXPECT_EQ(tilesOf(*added), std::vector<int>(200, 1));
    EXPECT_EQ(e.layerCount, 2);
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Map1", "Map2"}));
    EXPECT_EQ(entryLabels(), (std::vector<std::string>{"Map1*", "Map2"}));
    MenuEntry* entry = layerEntries().back();
    EXPECT_EQ(entry->command, HashedName("Layer Change"));
    EXPECT_EQ(entry->radio, 1);
    EXPECT_EQ(entry->rect.w, 80);
    EXPECT_EQ(entry->rect.h, 18);
}

TEST_F(LayerCommandsTest, TenthLayerAndRemovingTheFirstAreRefusedWithAWarning) {
    for (int i = 0; i < 8; ++i) addLayer(e);
    const size_t layers = e.layers.size();
    addLayer(e);
    removeCurrentLayer(e);
    ASSERT_EQ(t.messages.shown.size(), 2u);
    EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
    EXPECT_EQ(t.messages.shown[0].text, "No more room for another layer, 9 is the limit");
    EXPECT_EQ(t.messages.shown[1].title, "Warning deatils");
    EXPECT_EQ(t.messages.shown[1].text, "The first layer can not be removed");
    EXPECT_EQ(e.layerCount, 9);
    EXPECT_EQ(e.layers.size(), layers);
    EXPECT_EQ(layerEntries().size(), 9u);
    EXPECT_EQ(drawn().size(), 9u);
    EXPECT_NE(findLayer(e.layers, "Map1"), nullptr);
}

TEST_F(LayerCommandsTest, RemovingTheMiddleLayerMovesTheUpperOneDown) {
    addLayer(e);
    addLayer(e);
    layoutCells(*findLayer(e.layers, "Map3"), 0, 33);
    request("Layer Change", "Map2");
    removeCurrentLayer(e);
    MapLayer* second = findLayer(e.layers, "Map2");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->number, 2);
    EXPECT_EQ(second->cells[0].tile, 33);  // the old Map3
    EXPECT_EQ(findLayer(e.layers, "Map3"), nullptr);
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(e.layerCount, 2);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Map1", "Map2"}));
    EXPECT_EQ(entryLabels(), (std::vector<std::string>{"Map1*", "Map2"}));
    EXPECT_EQ(e.menus.selected, layerEntries().front());
}

TEST_F(LayerCommandsTest, ChangeMakesANamedLayerCurrentAndIgnoresOtherNames) {
    addLayer(e);
    addLayer(e);
    request("Layer Change", "Map3");
    EXPECT_EQ(e.currentLayer, 3);
    EXPECT_EQ(entryLabels(), (std::vector<std::string>{"Map1", "Map2", "Map3*"}));
    request("Layer Change", "Map5");  // a setting, but no such layer
    request("Layer Change", "Elsewhere");
    request("Layer Change", "Tile01");
    EXPECT_EQ(e.currentLayer, 3);
    EXPECT_EQ(entryLabels(), (std::vector<std::string>{"Map1", "Map2", "Map3*"}));
    t.focusAt(100, 100);
    t.pressKey(SDLK_2);
    t.frame(100, 100);
    EXPECT_EQ(e.currentLayer, 2);
    EXPECT_EQ(entryLabels(), (std::vector<std::string>{"Map1", "Map2*", "Map3"}));
}

TEST_F(LayerCommandsTest, HideShowAndToggleActOnTheCurrentLayerOnly) {
    addLayer(e);
    request("Layer Change", "Map2");
    MapLayer* first = findLayer(e.layers, "Map1");
    MapLayer* second = findLayer(e.layers, "Map2");
    request("Layer Hide");
    EXPECT_EQ(second->visible, 0);
    EXPECT_EQ(first->visible, 1);
    request("Layer Show");
    EXPECT_EQ(second->visible, 1);
    request("Toggle HideShow");
    EXPECT_EQ(second->visible, 0);
    request("Toggle HideShow");
    EXPECT_EQ(second->visible, 1);
    e.focusName = "Focus Lost";  // requests without a focused window are dropped
    request("Layer Hide");
    EXPECT_EQ(second->visible, 1);
}

TEST_F(LayerCommandsTest, LayerClearFillsOnlyTheCurrentLayerWithTileOne) {
    addLayer(e);
    MapLayer* first = findLayer(e.layers, "Map1");
    MapLayer* second = findLayer(e.layers, "Map2");
    layoutCells(*first, 1, 10);
    layoutCells(*second, 1, 10);
    request("Layer Clear");
    EXPECT_EQ(tilesOf(*first), std::vector<int>(128 * 128, 1));
    EXPECT_EQ(second->cells[5].tile, 15);
}

TEST_F(LayerCommandsTest, MapClearEmptiesTheFirstLayerAndCoversTheOthersButNotThePalette) {
    addLayer(e);
    addLayer(e);
    for (int n = 1; n <= 3; ++n) layoutCells(*findLayer(e.layers, "Map" + std::to_string(n)), 1, 7);
    MapLayer* brush = makeBrush(e, "Left", 2, 1, {5, 6});
    const std::vector<int> palette = tilesOf(*findLayer(e.layers, "Tile01"));
    clearMap(e);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map1")), std::vector<int>(128 * 128, 0));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map2")), std::vector<int>(128 * 128, 1));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map3")), std::vector<int>(128 * 128, 1));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Tile01")), palette);
    EXPECT_EQ(tilesOf(*brush), (std::vector<int>{5, 6}));
}
