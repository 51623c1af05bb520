// The map model: creating, finding, laying out, replacing and resizing layers.
#include "map/layer_list.h"

#include <gtest/gtest.h>

#include "map/cell_access.h"
#include "map/resize_layer.h"

TEST(LayerList, CreatedLayerHasTheDefaultsAndLaidOutCells) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 3, 2, "Map1", 1, 10);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layer->number, -1);
    EXPECT_EQ(layer->visible, 1);
    EXPECT_EQ(layer->cellWidth, 16);
    ASSERT_EQ(layer->cells.size(), 6u);
    EXPECT_EQ(layer->cells[4].tile, 14);
    EXPECT_EQ(layer->cells[4].rect.x, 16);
    EXPECT_EQ(layer->cells[4].rect.y, 16);
    EXPECT_EQ(layer->cells[4].rect.w, 16);
    EXPECT_EQ(layer->cells[4].highlight, 0);
}

TEST(LayerList, LayersWithoutCellsAreSafe) {
    LayerList layers;
    MapLayer* empty = createLayer(layers, 0, 5, "Empty", 1, 0);
    MapLayer* negative = createLayer(layers, -3, 4, "Negative", 1, 0);
    EXPECT_TRUE(empty->cells.empty());
    EXPECT_TRUE(negative->cells.empty());
    EXPECT_EQ(negative->width, 0);
    layoutCells(*empty, 1, 0);
    EXPECT_EQ(cellAt(*empty, 0, 0), nullptr);
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
    EXPECT_EQ(layers[1]->cells[0].tile, 3);

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
    EXPECT_EQ(layer->cells[0].tile, 65534);
    EXPECT_EQ(layer->cells[1].tile, 65535);
    EXPECT_EQ(layer->cells[2].tile, 0);
    EXPECT_EQ(layer->cells[3].tile, 1);
    layoutCells(*layer, 70000, 5);
    EXPECT_EQ(layer->cells[1].tile, static_cast<uint16_t>(70005));
}

TEST(LayerList, LayoutUsesTheLayersCellSize) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 3, 3, "Big", 0, 0);
    layer->cellWidth = 32;
    layer->cellHeight = 24;
    layoutCells(*layer, 0, 0);
    EXPECT_EQ(layer->cells[5].rect.x, 64);
    EXPECT_EQ(layer->cells[5].rect.y, 24);
    EXPECT_EQ(layer->cells[5].rect.w, 32);
    EXPECT_EQ(layer->cells[5].rect.h, 24);
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
    EXPECT_EQ(resized->cells[99].rect.y, 19 * 16);
}
