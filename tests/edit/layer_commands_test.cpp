// The Layer menu's commands: add, remove, choose, hide and show, clear; and the Map menu's Clear.
#include "edit/layer_commands.h"

#include <gtest/gtest.h>

#include "app/command_names.h"
#include "edit/dispatch.h"
#include "io/map_file.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
// The test configuration with its first layers named `names` instead of Map1, Map2, ...
std::string configurationNaming(const std::vector<std::string>& names) {
    std::string configuration = kTestConfiguration;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string from = "Value=\"Map" + std::to_string(i + 1) + "\"";
        configuration.replace(configuration.find(from), from.size(), "Value=\"" + names[i] + "\"");
    }
    return configuration;
}

// "name:number" for each map layer, in list order.
std::vector<std::string> mapLayers(const Editor& e) {
    std::vector<std::string> layers;
    for (const auto& layer : e.layers)
        if (layer->number != -1)
            layers.push_back(layer->name + ":" + std::to_string(layer->number));
    return layers;
}

// The Layer menu's entries after its separator.
std::vector<MenuEntry*> layerEntriesOf(Editor& e) {
    std::vector<MenuEntry*> entries;
    bool afterSeparator = false;
    for (MenuEntry* m = findMenu(e.menus, cmd::Layer)->next; m && !m->isTitle; m = m->next) {
        if (afterSeparator) entries.push_back(m);
        afterSeparator |= m->separator != 0;
    }
    return entries;
}
// Their labels, the marked one followed by "*".
std::vector<std::string> entryLabelsOf(Editor& e) {
    std::vector<std::string> labels;
    for (MenuEntry* m : layerEntriesOf(e)) labels.push_back(m->label + (m->selected ? "*" : ""));
    return labels;
}

struct LayerCommandsTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    void SetUp() override { e.focusName = "DesignWindow"; }
    void request(const std::string& command, const std::string& parameter = "") {
        postCommand(e.commandQueue, HashedName(command), parameter);
        handleInterfaceCommand(e);
    }
    std::vector<MenuEntry*> layerEntries() { return layerEntriesOf(e); }
    std::vector<std::string> entryLabels() { return entryLabelsOf(e); }
    std::vector<std::string>& drawn() { return findWindow(e, "DesignWindow")->layerNames; }
    // Gives layer n another name everywhere, as a map file may bring it.
    void rename(int n, const std::string& name) {
        findLayer(e.layers, "Map" + std::to_string(n))->name = name;
        drawn()[n - 1] = name;
        layerEntries()[n - 1]->label = name;
    }
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
    fillTiles(*findLayer(e.layers, "Map3"), 0, 33);
    request("Layer Change", "Map2");
    removeCurrentLayer(e);
    MapLayer* second = findLayer(e.layers, "Map2");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->number, 2);
    EXPECT_EQ(second->tiles[0], 33);  // the old Map3
    EXPECT_EQ(findLayer(e.layers, "Map3"), nullptr);
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(e.layerCount, 2);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Map1", "Map2"}));
    EXPECT_EQ(entryLabels(), (std::vector<std::string>{"Map1*", "Map2"}));
    EXPECT_EQ(e.menus.selected, layerEntries().front());
}

// Removal renames the layers above by position; with names that are not Map<n> no layer may
// end up under a name that nothing draws, lists or saves.
TEST(LayerRemoval, RemovingALayerKeepsTheOthersDrawnListedAndSavedWhateverTheirNames) {
    struct Case {
        std::vector<std::string> configured;  // Layer1 .. Layer3
        std::vector<std::string> left;        // the two names after layer 2 was removed
    };
    const Case cases[] = {
        {{"Map1", "Map2", "Map3"}, {"Map1", "Map2"}},
        {{"Ground", "Trees", "Roof"}, {"Ground", "Trees"}},
        {{"MapGround", "MapTrees", "MapRoof"}, {"MapGround", "MapTrees"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.configured[0]);
        TestEditorOptions options;
        options.configuration = configurationNaming(c.configured);
        TestEditor t(options);
        Editor& e = t.editor();
        e.focusName = kDesignWindowName;
        addLayer(e);
        addLayer(e);
        for (int n = 0; n < 3; ++n)
            fillTiles(*findLayer(e.layers, c.configured[n]), 0, static_cast<uint16_t>(10 * n + 10));
        changeLayer(e, c.configured[1]);
        ASSERT_EQ(e.currentLayer, 2);
        removeCurrentLayer(e);
        // The top layer, tile 30, moved down into the second place and took its name.
        const std::string& first = c.left[0];
        const std::string& second = c.left[1];
        EXPECT_EQ(mapLayers(e), (std::vector<std::string>{first + ":1", second + ":2"}));
        EXPECT_EQ(findWindow(e, kDesignWindowName)->layerNames, c.left);
        EXPECT_EQ(entryLabelsOf(e), (std::vector<std::string>{first + "*", second}));
        // Saved in full: the count and two records of 128 x 128 tiles.
        EXPECT_EQ(encodeMap(e).size(),
                  4 + (25 + first.size() + 32768) + (25 + second.size() + 32768));
        EXPECT_EQ(currentMapLayer(e), findLayer(e.layers, first));
    }
}

TEST_F(LayerCommandsTest, RemoveDestroysTheCurrentLayerWhateverTheCaseOfItsName) {
    addLayer(e);
    addLayer(e);
    rename(2, "map2");  // still layer 2, found ignoring letter case
    fillTiles(*findLayer(e.layers, "Map3"), 0, 33);
    request("Layer Change", "Map2");
    ASSERT_EQ(e.currentLayer, 2);
    const size_t layers = e.layers.size();
    removeCurrentLayer(e);
    EXPECT_EQ(e.layers.size(), layers - 1);
    EXPECT_EQ(e.layerCount, 2);
    EXPECT_EQ(mapLayers(e), (std::vector<std::string>{"Map1:1", "Map2:2"}));
    EXPECT_EQ(findLayer(e.layers, "Map2")->tiles[0], 33);
    EXPECT_EQ(drawn(), (std::vector<std::string>{"Map1", "Map2"}));
}

// A layer entry clicked moves the mark before its request runs; whatever the request does, the
// mark must end on the layer the tools work on.
TEST_F(LayerCommandsTest, TheLayerMenuMarkEndsOnTheCurrentLayer) {
    addLayer(e);
    addLayer(e);
    rename(2, "map2");    // layer 2, found ignoring letter case
    rename(3, "Cellar");  // named by no setting
    t.focusAt(100, 100);
    t.frame(100, 100);
    auto clickEntry = [&](int index) {  // through the menu bar: Layer at x 134, entries 18 high
        t.frame(134, 2, SDL_BUTTON_LMASK);
        t.frame(173, 14, 0);
        const int top = 114 + 18 * index;
        t.frame(134, top, SDL_BUTTON_LMASK);
        t.frame(213, top + 17, 0);
    };
    auto expectMarked = [&](int current, std::vector<std::string> labels) {
        EXPECT_EQ(e.currentLayer, current);
        EXPECT_EQ(entryLabels(), labels);
        ASSERT_NE(e.menus.selected, nullptr);
        EXPECT_EQ(e.menus.selected, layerEntries()[current - 1]);
    };
    clickEntry(2);
    expectMarked(1, {"Map1*", "map2", "Cellar"});
    t.pressKey(SDLK_2);
    t.frame(100, 100);
    expectMarked(2, {"Map1", "map2*", "Cellar"});
    clickEntry(2);
    expectMarked(2, {"Map1", "map2*", "Cellar"});
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
    fillTiles(*first, 1, 10);
    fillTiles(*second, 1, 10);
    request("Layer Clear");
    EXPECT_EQ(tilesOf(*first), std::vector<int>(128 * 128, 1));
    EXPECT_EQ(second->tiles[5], 15);
}

TEST_F(LayerCommandsTest, MapClearEmptiesTheFirstLayerAndCoversTheOthersButNotThePalette) {
    addLayer(e);
    addLayer(e);
    for (int n = 1; n <= 3; ++n) fillTiles(*findLayer(e.layers, "Map" + std::to_string(n)), 1, 7);
    MapLayer* brush = makeBrush(e, "Left", 2, 1, {5, 6});
    const std::vector<int> palette = tilesOf(*findLayer(e.layers, "Tile01"));
    clearMap(e);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map1")), std::vector<int>(128 * 128, 0));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map2")), std::vector<int>(128 * 128, 1));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map3")), std::vector<int>(128 * 128, 1));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Tile01")), palette);
    EXPECT_EQ(tilesOf(*brush), (std::vector<int>{5, 6}));
}
