// Create Map and Resize Map: the map's size as typed into their dialogs.
#include "edit/map_size_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "app/command_names.h"
#include "edit/dispatch.h"
#include "edit/layer_commands.h"
#include "edit/undo.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
struct MapSizeTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    void SetUp() override { e.focusName = "DesignWindow"; }
    // Types a size into the named dialog's fields and runs its button's request.
    void submit(const char* dialog, const char* command, int width, int height) {
        Dialog* d = findDialog(e, dialog);
        d->visible = 1;
        for (int i = 0; i < 2; ++i) {
            auto* field = dynamic_cast<NumberInput*>(d->inputs[i].get());
            field->value = i == 0 ? width : height;
            field->text = std::to_string(field->value);
        }
        postCommand(e.commandQueue, HashedName(command), "");
        handleInterfaceCommand(e);
    }
    std::vector<MapLayer*> mapLayers() {
        std::vector<MapLayer*> found;
        for (const auto& layer : e.layers) {
            if (layer->number != -1) found.push_back(layer.get());
        }
        return found;
    }
    bool queued(const HashedName& command) {
        for (const auto& r : e.commandQueue) {
            if (r->command == command) return true;
        }
        return false;
    }
};
}  // namespace

TEST_F(MapSizeTest, CreateMapLeavesOneEmptyLayerKeepsTheBrushesAndStartsUndoAfresh) {
    addLayer(e);
    addLayer(e);
    postCommand(e.commandQueue, HashedName("Layer Change"), "Map3");
    handleInterfaceCommand(e);
    makeBrush(e, "Left", 1, 1, {5});
    makeBrush(e, "Right", 1, 1, {6});
    // A stroke on the old map's first layer must not come back into the new one.
    UndoStep stroke;
    stroke.records.push_back(UndoRecord{mapLayers()[0]->id, 1, {{0}, {1}, {7}}, false, {}});
    pushUndoStep(e, std::move(stroke));
    submit("Create Map", "Create Map", 20, 10);
    EXPECT_TRUE(e.history.undoSteps().empty());
    std::vector<MapLayer*> layers = mapLayers();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0]->name, "Map1");
    EXPECT_EQ(layers[0]->number, 1);
    EXPECT_EQ(layers[0]->width, 20);
    EXPECT_EQ(layers[0]->height, 10);
    EXPECT_EQ(tilesOf(*layers[0]), std::vector<int>(200, 0));
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(e.layerCount, 1);
    EXPECT_EQ(findWindow(e, "DesignWindow")->layerNames, std::vector<std::string>{"Map1"});
    MenuEntry* last = lastItem(e.menus, cmd::Layer);
    EXPECT_EQ(last->label, "Map1");
    EXPECT_EQ(last->selected, 1);
    EXPECT_TRUE(last->command == HashedName("Layer Change"));
    MenuEntry* entry = findMenu(e.menus, cmd::Layer)->next;
    while (entry && !entry->separator) entry = entry->next;
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->next, last);  // the only layer entry
    EXPECT_TRUE(findLayer(e.layers, "Map2") == nullptr && findLayer(e.layers, "Map3") == nullptr);
    EXPECT_EQ(findLayer(e.layers, "BrushLeft")->tiles[0], 5);
    EXPECT_EQ(findLayer(e.layers, "BrushRight")->tiles[0], 6);
    EXPECT_EQ(findDialog(e, "Create Map")->visible, 0);
    EXPECT_TRUE(queued(cmd::SetCaptionSizeDimensions));
}

TEST_F(MapSizeTest, SizeTypedIntoTheDialogCreatesTheMap) {
    t.focusAt(100, 100);
    postCommand(e.commandQueue, cmd::New, "");
    t.frame(100, 100);
    const SDL_Rect d = findDialog(e, "Create Map")->rect;
    auto typeInto = [&](int fieldY, const char* digits) {
        t.frame(d.x + 60, d.y + fieldY + 5, SDL_BUTTON_LMASK);
        t.frame(d.x + 60, d.y + fieldY + 5);
        for (int i = 0; i < 3; ++i) {
            t.pressKey(SDLK_BACKSPACE, 8);
            t.frame(0, 300);
        }
        for (const char* c = digits; *c; ++c) {
            t.pressKey(static_cast<SDLKey>(*c), static_cast<uint16_t>(*c));
            t.frame(0, 300);
        }
    };
    typeInto(30, "20");
    typeInto(50, "10");
    t.frame(d.x + 240, d.y + 80, SDL_BUTTON_LMASK);
    t.frame(d.x + 240, d.y + 80);
    t.frame(0, 300);
    MapLayer* map = currentMapLayer(e);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->width, 20);
    EXPECT_EQ(map->height, 10);
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    EXPECT_STREQ(caption, "Velloran 1.09 /  / map:20x10");
}

// Growing the map used to give the new cells of every layer the opaque tile 0, hiding the ground
// under the upper layers there. They take the tile a new layer of their place starts with.
TEST_F(MapSizeTest, ResizeKeepsTheSharedTilesGivesNewCellsTheirLayersBlankTileAndResetsTheView) {
    resizeLayer(e.layers, *currentMapLayer(e), 10, 10);
    addLayer(e);
    addLayer(e);
    for (int n = 1; n <= 3; ++n) {
        MapLayer* layer = findLayer(e.layers, "Map" + std::to_string(n));
        fillTiles(*layer, 1, static_cast<uint16_t>(100 * n));
        layer->offsetX = 2;
        layer->offsetY = 1;
        layer->visible = 0;
    }
    submit("Resize Map", "Button Resize Map", 12, 11);
    for (int n = 1; n <= 3; ++n) {
        MapLayer* layer = findLayer(e.layers, "Map" + std::to_string(n));
        ASSERT_EQ(layer->width, 12);
        ASSERT_EQ(layer->height, 11);
        EXPECT_EQ(layer->number, n);
        EXPECT_EQ(layer->offsetX, 0);
        EXPECT_EQ(layer->offsetY, 0);
        EXPECT_EQ(layer->visible, 1);
        const int blank = n == 1 ? 0 : 1;
        for (int row = 0; row < 11; ++row) {
            for (int column = 0; column < 12; ++column) {
                const int expected = column < 10 && row < 10 ? 100 * n + row * 10 + column : blank;
                EXPECT_EQ(layer->tiles[row * 12 + column], expected) << n << ":" << column;
            }
        }
    }
    EXPECT_EQ(findDialog(e, "Resize Map")->visible, 0);
}

// Map > ReSize offered the size typed last (or the setting's 128), so its button alone enlarged
// a 34 x 32 map, and a smaller stored size would have cut it. It offers the first layer's size.
TEST_F(MapSizeTest, ResizeDialogOpensHoldingTheMapSizeSoItsButtonAloneChangesNothing) {
    MapLayer* first = resizeLayer(e.layers, *currentMapLayer(e), 34, 32);
    fillTiles(*first, 1, 0);
    addLayer(e);
    resizeLayer(e.layers, *findLayer(e.layers, "Map2"), 5, 6);
    Dialog* d = findDialog(e, "Resize Map");
    setNumberInput(*d, 0, 20);  // what was typed the last time
    setNumberInput(*d, 1, 7);
    postCommand(e.commandQueue, cmd::ReSize, "");
    handleInterfaceCommand(e);
    ASSERT_TRUE(dialogOpen(*d));
    for (int i = 0; i < 2; ++i) {
        const auto& field = dynamic_cast<const NumberInput&>(*d->inputs[i]);
        EXPECT_EQ(field.value, i == 0 ? 34 : 32);
        EXPECT_EQ(field.text, i == 0 ? "34" : "32");
    }
    const std::vector<int> tiles = tilesOf(*first);
    postCommand(e.commandQueue, cmd::ButtonResizeMap, "");
    handleInterfaceCommand(e);
    first = findLayer(e.layers, "Map1");
    EXPECT_EQ(first->width, 34);
    EXPECT_EQ(first->height, 32);
    EXPECT_EQ(tilesOf(*first), tiles);
}

TEST_F(MapSizeTest, SizesBeyondSixteenMillionCellsAreRefused) {
    addLayer(e);
    const struct {
        const char* dialog;
        const char* command;
        int width, height;
    } attempts[] = {{"Create Map", "Create Map", 65535, 65535},
                    {"Create Map", "Create Map", 4097, 4096},
                    {"Resize Map", "Button Resize Map", 65535, 65535},
                    {"Resize Map", "Button Resize Map", 4096, 4097}};
    for (const auto& a : attempts) {
        t.messages.shown.clear();
        submit(a.dialog, a.command, a.width, a.height);
        ASSERT_EQ(t.messages.shown.size(), 1u) << a.command << " " << a.width;
        EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
        EXPECT_EQ(e.layerCount, 2);
        EXPECT_EQ(findLayer(e.layers, "Map1")->width, 128);
        EXPECT_EQ(findLayer(e.layers, "Map2")->height, 128);
    }
    submit("Resize Map", "Button Resize Map", 4096, 1);
    EXPECT_EQ(findLayer(e.layers, "Map2")->width, 4096);
    EXPECT_EQ(t.messages.shown.size(), 1u);
}

TEST_F(MapSizeTest, LayersWithoutCellsSurvivePaintingFillingAndScrolling) {
    makeBrush(e, "Left", 2, 2, {5, 6, 7, 8});
    t.focusAt(100, 100);
    for (auto [width, height] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{0, 0}}) {
        submit("Resize Map", "Button Resize Map", width, height);
        ASSERT_TRUE(currentMapLayer(e)->tiles.empty());
        clearUndo(e);  // Undo would give the cells the ReSize cut away back
        for (int tool : {0, 1, 2, 3}) {
            e.toolMode = static_cast<ToolMode>(tool);
            t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
            t.frame(mapX(2), mapY(3), SDL_BUTTON_LMASK);
            t.frame(mapX(2), mapY(3));
        }
        e.pickBrushArmed = 1;
        t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
        t.frame(mapX(3), mapY(2), SDL_BUTTON_LMASK);
        t.frame(mapX(3), mapY(2));
        for (SDLKey key : {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP, SDLK_w, SDLK_e, SDLK_u}) {
            t.pressKey(key);
            t.frame(mapX(1), mapY(1));
        }
        EXPECT_TRUE(currentMapLayer(e)->tiles.empty());
    }
    submit("Create Map", "Create Map", 0, 0);
    t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(1), mapY(1));
    EXPECT_TRUE(currentMapLayer(e)->tiles.empty());
}

namespace {
// A plain model of a map layer: its width and its tiles, row by row.
struct Grid {
    int width = 0;
    std::vector<int> tiles;
    int height() const { return width ? int(tiles.size()) / width : 0; }
    int& at(int column, int row) { return tiles[row * width + column]; }
};

Grid resized(Grid old, int width, int height, int newTile) {
    Grid grid{width, std::vector<int>(size_t(width) * height, newTile)};
    for (int row = 0; row < std::min(height, old.height()); ++row)
        for (int column = 0; column < std::min(width, old.width); ++column)
            grid.at(column, row) = old.at(column, row);
    return grid;
}
}  // namespace

// Stamps, ReSizes (growing, shrinking, both) and Undo in random order, against the model: a
// stamp's Undo puts its old tiles back by column and row into whatever size the layer has now;
// a ReSize that cut cells is one step that gives the old size and those cells back. Slips
// caught: cells put back by their index in the layer, a shrinking ReSize that is no step or
// loses its cut cells, a growing ReSize that Undo takes back.
TEST_F(MapSizeTest, RandomStrokesResizesAndUndoAgreeWithAPlainModel) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        TestEditor fresh;
        Editor& f = fresh.editor();
        std::mt19937 random(seed);
        auto pick = [&](int low, int high) { return int(random() % (high - low + 1)) + low; };
        fillTiles(*resizeLayer(f.layers, *currentMapLayer(f), 20, 14), 0, 0);
        Grid model = resized({1, {0}}, 20, 14, 0);
        // Each step: a stamp's cell and its old tile, or the map before a ReSize that cut cells
        // (Undo takes back later steps first, so what that ReSize kept is as it was then).
        std::vector<std::pair<std::array<int, 3>, Grid>> history;
        for (int op = 0; op < 60; ++op) {
            const int kind = pick(0, 8);
            if (kind < 5) {  // a 1 x 1 stamp
                const int column = pick(0, model.width - 1), row = pick(0, model.height() - 1);
                const int tile = pick(2, 60);
                makeBrush(f, "Left", 1, 1, {tile});
                fresh.frame(mapX(column), mapY(row), SDL_BUTTON_LMASK);
                fresh.frame(mapX(column), mapY(row), 0);
                history.push_back({{column, row, model.at(column, row)}, {}});
                model.at(column, row) = tile;
            } else if (kind < 7) {
                const int width = pick(1, 26), height = pick(1, 18);
                Dialog* d = findDialog(f, "Resize Map");
                setNumberInput(*d, 0, width);
                setNumberInput(*d, 1, height);
                resizeMap(f);
                if (width < model.width || height < model.height()) history.push_back({{}, model});
                model = resized(model, width, height, 0);
            } else if (!history.empty()) {
                undoLast(f);
                const auto [cell, before] = history.back();
                history.pop_back();
                const auto [c, r, old] = cell;
                if (before.width)
                    model = before;
                else if (c < model.width && r < model.height())
                    model.at(c, r) = old;
            }
            ASSERT_EQ(currentMapLayer(f)->width, model.width) << "op " << op;
            ASSERT_EQ(tilesOf(*currentMapLayer(f)), model.tiles) << "op " << op;
        }
    }
}
