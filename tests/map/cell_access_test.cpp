// Block copies: the row-by-row copy gives exactly what a copy cell by cell through the linear
// index gives, for blocks inside, across and beyond either layer.
#include "map/cell_access.h"

#include <gtest/gtest.h>

#include <random>

#include "map/layer_list.h"

namespace {
// The rule cell by cell: each source position is read through the linear index (the first
// cell when that is outside), and each target position outside the target's grid is skipped.
void copyCellByCell(const MapLayer& source, CellBlock block, MapLayer& target, CellBlock at) {
    for (int i = 0; i < block.width; ++i) {
        for (int j = 0; j < block.height; ++j) {
            const int column = at.column + i, row = at.row + j;
            if (column < 0 || row < 0 || column >= target.width) continue;
            const long long s =
                static_cast<long long>(block.row + j) * source.width + block.column + i;
            const bool inside = s >= 0 && s < static_cast<long long>(source.tiles.size());
            const long long t = static_cast<long long>(row) * target.width + column;
            if (t < static_cast<long long>(target.tiles.size()))
                target.tiles[t] = source.tiles[inside ? s : 0];
        }
    }
}
}  // namespace

TEST(CellAccess, BlockCopiesMatchTheCellByCellRuleEverywhere) {
    std::mt19937 random(20261207);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 3000; ++round) {
        LayerList layers;
        MapLayer* source = createLayer(layers, between(1, 9), between(1, 9), "Source", 1, 100);
        MapLayer* fast = createLayer(layers, between(1, 9), between(1, 9), "Fast", 0, 0);
        MapLayer* slow = createLayer(layers, fast->width, fast->height, "Slow", 0, 0);
        const CellBlock block{between(-3, 10), between(-3, 10), between(0, 12), between(0, 12)};
        CellBlock at{between(-6, 10), between(-6, 10), block.width, block.height};
        const bool centred = round % 2 == 1;
        CellBlock expectedAt = at;
        if (centred) {
            expectedAt.column -= at.width / 2;
            expectedAt.row -= at.height / 2;
        }
        copyCellByCell(*source, block, *slow, expectedAt);
        copyTiles(*source, block, *fast, at, centred);
        ASSERT_EQ(fast->tiles, slow->tiles)
            << "round " << round << ": block " << block.column << "," << block.row << " "
            << block.width << "x" << block.height << " of " << source->width << "x"
            << source->height << " at " << expectedAt.column << "," << expectedAt.row << " on "
            << fast->width << "x" << fast->height;
        EXPECT_EQ(at.column, expectedAt.column);
        EXPECT_EQ(at.row, expectedAt.row);
    }
}

TEST(CellAccess, HighestTileIsFoundInEveryPositionOfALayer) {
    LayerList layers;
    EXPECT_EQ(highestTile(*createLayer(layers, 0, 0, "Empty", 0, 0)), 0);
    // Layers shorter than, equal to and longer than one block of sixteen cells, with the highest
    // tile in each place.
    for (int cells : {1, 15, 16, 17, 33, 100}) {
        for (int at = 0; at < cells; ++at) {
            MapLayer* layer = createLayer(layers, cells, 1, "Row", 1, 3);
            fillTiles(*layer, 0, 3);
            layer->tiles[at] = 0xFFFE;
            EXPECT_EQ(highestTile(*layer), 0xFFFE) << cells << " cells, at " << at;
            layers.clear();
        }
    }
}
