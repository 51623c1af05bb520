// The map model: creating, finding, laying out, replacing and resizing layers.
#include "map/layer_list.h"

#include <gtest/gtest.h>

#include "map/cell_access.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

TEST(LayerList, CreatedLayerHasTheDefaultsAndLaidOutCells) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 3, 2, "Map1", 1, 10);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layer->number, -1);
    EXPECT_EQ(layer->visible, 1);
    EXPECT_EQ(layer->cellWidth, 16);
    ASSERT_EQ(layer->tiles.size(), 6u);
    EXPECT_EQ(layer->tiles[4], 14);
    EXPECT_TRUE(layer->highlighted.empty());
}

TEST(LayerList, LayersWithoutCellsAreSafe) {
    LayerList layers;
    MapLayer* empty = createLayer(layers, 0, 5, "Empty", 1, 0);
    MapLayer* negative = createLayer(layers, -3, 4, "Negative", 1, 0);
    EXPECT_TRUE(empty->tiles.empty());
    EXPECT_TRUE(negative->tiles.empty());
    EXPECT_EQ(negative->width, 0);
    fillTiles(*empty, 1, 0);
    EXPECT_EQ(tileAt(*empty, 0, 0), 0);
    setTile(*empty, 0, 0, 5);
}

TEST(LayerList, FindIgnoresCaseButNotLength) {
    LayerList layers;
    createLayer(layers, 1, 1, "MAP1", 0, 0);
    createLayer(layers, 1, 1, "Map1", 0, 7);
    MapLayer* found = findLayer(layers, "map1");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "MAP1");  // the first match in creation order
    EXPECT_EQ(findLayer(layers, "map"), nullptr);
    EXPECT_EQ(findLayer(layers, "map11"), nullptr);
}

TEST(LayerList, ReplaceMatchesTheExactNameAndKeepsTheSlot) {
    LayerList layers;
    createLayer(layers, 1, 1, "Tile01", 0, 0);
    createLayer(layers, 2, 2, "Map1", 0, 3);
    auto other = std::make_unique<MapLayer>();
    other->name = "map1";
    EXPECT_EQ(replaceLayer(layers, std::move(other)), nullptr);
    EXPECT_EQ(layers[1]->tiles[0], 3);

    auto replacement = std::make_unique<MapLayer>();
    replacement->name = "Map1";
    MapLayer* raw = replacement.get();
    EXPECT_EQ(replaceLayer(layers, std::move(replacement)), raw);
    EXPECT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[1].get(), raw);
}

TEST(LayerList, LayoutKeepsTheLowSixteenBitsOfTheRunningTile) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 4, 1, "Wrap", 1, 65534);
    EXPECT_EQ(layer->tiles[0], 65534);
    EXPECT_EQ(layer->tiles[1], 65535);
    EXPECT_EQ(layer->tiles[2], 0);
    EXPECT_EQ(layer->tiles[3], 1);
    fillTiles(*layer, 70000, 5);
    EXPECT_EQ(layer->tiles[1], static_cast<uint16_t>(70005));
}

TEST(LayerList, FillTilesCountsOnInSixteenBits) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 3, 1, "Big", 0, 0);
    fillTiles(*layer, 1, 0xFFFE);
    EXPECT_EQ(tilesOf(*layer), (std::vector<int>{0xFFFE, 0xFFFF, 0}));
    fillTiles(*layer, 0, 7);
    EXPECT_EQ(tilesOf(*layer), (std::vector<int>{7, 7, 7}));
}

TEST(LayerList, ResizeKeepsTheSharedCornerAndResetsTheView) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 10, 10, "Map1", 1, 0);
    layer->number = 1;
    layer->visible = 0;
    layer->offsetX = 4;
    layer->offsetY = 3;
    MapLayer* resized = resizeLayer(layers, *layer, 5, 20);
    ASSERT_NE(resized, nullptr);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(resized->width, 5);
    EXPECT_EQ(resized->height, 20);
    EXPECT_EQ(resized->number, 1);
    EXPECT_EQ(resized->visible, 1);
    EXPECT_EQ(resized->offsetX, 0);
    EXPECT_EQ(resized->offsetY, 0);
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 5; ++column) {
            int expected = row < 10 ? row * 10 + column : 0;
            EXPECT_EQ(tileAt(*resized, column, row), expected) << column << "," << row;
        }
    }
}
