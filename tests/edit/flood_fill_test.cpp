// The fills give exactly the cells that a plain depth-first fill reaches, on random layers.
#include "edit/flood_fill.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/editing.h"

namespace {
// The straightforward fill: pop a cell, write its pattern tile, push the neighbours right, up,
// left and down that hold the target and differ from the tile just written.
void referenceFill(MapLayer& layer, int column, int row, uint16_t target, const MapLayer& brush) {
    std::vector<CellPosition> stack{{column, row}};
    while (!stack.empty()) {
        CellPosition p = stack.back();
        stack.pop_back();
        const uint16_t tile =
            brush.tiles[(p.row % brush.height) * brush.width + p.column % brush.width];
        layer.tiles[p.row * layer.width + p.column] = tile;
        auto consider = [&](int x, int y) {
            uint16_t t = layer.tiles[y * layer.width + x];
            if (t != tile && t == target) stack.push_back({x, y});
        };
        if (p.column + 1 < layer.width) consider(p.column + 1, p.row);
        if (p.row - 1 >= 0) consider(p.column, p.row - 1);
        if (p.column - 1 >= 0) consider(p.column - 1, p.row);
        if (p.row + 1 < layer.height) consider(p.column, p.row + 1);
    }
}

MapLayer* randomLayer(LayerList& layers, std::mt19937& random, int width, int height, int kinds) {
    MapLayer* layer = createLayer(layers, width, height, "Map1", 0, 0);
    for (uint16_t& tile : layer->tiles) tile = static_cast<uint16_t>(random() % kinds);
    return layer;
}
}  // namespace

TEST(FloodFill, MatchesTheDepthFirstFillOnRandomLayers) {
    std::mt19937 random(12345);
    std::vector<CellPosition> stack;
    for (int round = 0; round < 300; ++round) {
        LayerList layers;
        const int width = 1 + random() % 12, height = 1 + random() % 12;
        MapLayer* layer = randomLayer(layers, random, width, height, 2 + round % 3);
        const int bw = 1 + random() % 3, bh = 1 + random() % 3;
        MapLayer* brush = randomLayer(layers, random, bw, bh, 4);
        brush->name = "BrushLeft";
        const int x = random() % width, y = random() % height;
        const uint16_t target = layer->tiles[y * width + x];
        MapLayer expected = *layer;
        if (!(bw * bh > 1 && target == brush->tiles[0]) &&
            !(bw * bh == 1 && target == brush->tiles[0])) {
            referenceFill(expected, x, y, target, *brush);
        }
        EXPECT_EQ(fillChangesNothing(*layer, x, y, *brush), tilesOf(expected) == tilesOf(*layer))
            << "round " << round;
        patternFill(stack, *layer, x, y, target, *brush, false);
        ASSERT_EQ(tilesOf(*layer), tilesOf(expected)) << "round " << round;
    }
}

TEST(FloodFill, CellsWhosePatternIsTheTargetStopTheFill) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 4, 1, "Map1", 0, 2);
    LayerList brushes;
    MapLayer* stripes = createLayer(brushes, 2, 1, "BrushLeft", 0, 0);
    stripes->tiles[0] = 1;
    stripes->tiles[1] = 2;
    std::vector<CellPosition> stack;
    patternFill(stack, *layer, 0, 0, 2, *stripes, false);
    // Column 1's pattern tile is the target 2: it stays and the fill goes no further.
    EXPECT_EQ(tilesOf(*layer), (std::vector<int>{1, 2, 2, 2}));
}

TEST(FloodFill, FillsAHugeLayerWithoutRunningOutOfStack) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 1024, 1024, "Map1", 0, 0);
    for (int y = 1; y < 1024; y += 2) {
        // A serpentine wall forces the longest possible path through the layer.
        for (int x = 0; x < 1023; ++x) layer->tiles[y * 1024 + (y % 4 == 1 ? x : x + 1)] = 9;
    }
    std::vector<CellPosition> stack;
    floodFill(stack, *layer, 0, 0, 0, 3);
    EXPECT_EQ(layer->tiles[1023 * 1024 + 1023], 9);
    EXPECT_EQ(layer->tiles[1022 * 1024 + 5], 3);
    int zeros = 0;
    for (uint16_t tile : layer->tiles) zeros += tile == 0;
    EXPECT_EQ(zeros, 0);
}
