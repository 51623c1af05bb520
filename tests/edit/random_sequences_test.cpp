// Golden results of the random tools from fixed seeds, and the fallback of a copy that reads
// outside its source.
//
// The golden tiles of the random tools were obtained by running the code once under glibc's
// rand (the reference runtime) from the seed each test names, and agree with a second, separate
// implementation of the random tools and the shuffle written only to check them. Another C
// library's rand gives other numbers, so these tests pin glibc's sequence.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "edit/flood_fill.h"
#include "edit/shuffle.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
// The number rand() gives after `calls` numbers have been drawn from `seed`.
int randAfter(unsigned seed, int calls) {
    std::srand(seed);
    for (int i = 0; i < calls; ++i) std::rand();
    return std::rand();
}
}  // namespace

// Each frame of the held button shuffles the 3 x 2 brush (five numbers) and then stamps it, so
// the block under the still mouse changes every frame and the brush keeps its latest order.
TEST(RandomSequences, DrawRandomShufflesTheBrushBeforeEveryStamp) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* map = resizeLayer(e.layers, *currentMapLayer(e), 6, 4);
    fillTiles(*map, 0, 0);
    MapLayer* brush = makeBrush(e, "Left", 3, 2, {1, 2, 3, 4, 5, 6});
    e.toolMode = ToolMode::DrawRandom;
    // Seed 11, then three frames with the button held over cell (2, 1): the stamped block is
    // columns 1..3 of rows 0 and 1, listed row by row.
    const std::vector<int> golden[3] = {
        {3, 4, 1, 6, 5, 2},
        {1, 6, 3, 2, 5, 4},
        {6, 4, 2, 1, 5, 3},
    };
    std::srand(11);
    for (const std::vector<int>& stamped : golden) {
        t.frame(mapX(2), mapY(1), SDL_BUTTON_LMASK);
        std::vector<int> block;
        for (int row = 0; row < 2; ++row)
            for (int column = 1; column <= 3; ++column)
                block.push_back(map->tiles[row * 6 + column]);
        EXPECT_EQ(block, stamped);
        EXPECT_EQ(tilesOf(*brush), stamped);
    }
    t.frame(mapX(2), mapY(1), 0);  // releasing draws nothing
    const int next = std::rand();
    EXPECT_EQ(next, randAfter(11, 3 * 5));
}

// Fill Random from (2, 2) over an irregular 6 x 5 region of tile 0 with a 3 x 2 brush of tiles
// 1 2 3 / 4 5 0: the brush is reshuffled before every cell, the pattern stays anchored at the
// layer's corner, the cells are filled depth-first, the last pushed neighbour (right, up, left,
// down) first, and a cell that draws the target tile 0 spreads no further. Cells pushed twice
// are filled twice, with a fresh shuffle, so the result pins that order exactly.
TEST(RandomSequences, FillRandomReshufflesBeforeEveryCellDepthFirst) {
    LayerList layers;
    MapLayer* map = createLayer(layers, 8, 7, "Map1", 0, 9);
    const std::vector<int> before = {
        9, 9, 9, 9, 9, 9, 9, 9,  //
        9, 0, 0, 0, 0, 0, 9, 9,  //
        9, 0, 0, 9, 0, 0, 0, 9,  //
        9, 0, 0, 0, 0, 9, 0, 9,  //
        9, 9, 0, 0, 0, 0, 0, 9,  //
        9, 0, 0, 0, 9, 0, 0, 9,  //
        9, 9, 9, 9, 9, 9, 9, 0,  // the corner cell touches the region only diagonally
    };
    for (size_t i = 0; i < before.size(); ++i) map->tiles[i] = static_cast<uint16_t>(before[i]);
    MapLayer* brush = createLayer(layers, 3, 2, "BrushLeft", 1, 1);
    brush->tiles[5] = 0;
    std::vector<CellPosition> stack;
    std::srand(6);
    patternFill(stack, *map, 2, 2, 0, *brush, true);
    // Seed 6, the patternFill call above.
    const std::vector<int> golden = {
        9, 9, 9, 9, 9, 9, 9, 9,  //
        9, 1, 1, 5, 4, 4, 9, 9,  //
        9, 0, 5, 9, 1, 3, 0, 9,  //
        9, 0, 5, 5, 2, 9, 0, 9,  //
        9, 9, 4, 2, 2, 1, 4, 9,  //
        9, 5, 1, 1, 9, 0, 0, 9,  //
        9, 9, 9, 9, 9, 9, 9, 0,  //
    };
    EXPECT_EQ(tilesOf(*map), golden);
    // 32 cells were taken off the stack, each after a shuffle of five numbers.
    const int next = std::rand();
    EXPECT_EQ(next, randAfter(6, 32 * 5));
}

// A layer of 40000 cells: the steps k = 32767 .. 39999 need more than 15 bits, so each of them
// joins a second number on; 39999 steps draw 39999 + 7233 numbers in all.
TEST(RandomSequences, ShuffleOfAWideLayerDrawsTwoNumbersPastIndex32766) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 200, 200, "Wide", 1, 0);
    std::srand(5);
    shuffleLayer(*layer);
    const int next = std::rand();
    EXPECT_EQ(next, randAfter(5, 39999 + 7233));
    // Seed 5, the shuffleLayer call above; tile i started in cell i.
    const std::pair<int, int> golden[] = {{0, 34238},     {1, 14292},     {2, 3795},
                                          {32766, 29930}, {32767, 36919}, {32768, 37500},
                                          {39999, 10498}};
    for (const auto& [cell, tile] : golden) EXPECT_EQ(layer->tiles[cell], tile) << cell;
}

// The source is read through the linear index: column -1 of row 1 is row 0's last cell, and an
// index before the first cell or past the last gives the first cell (tile 77), never the
// nearest one or a zero.
TEST(RandomSequences, CopyReadingOutsideItsSourceTakesTheSourcesFirstCell) {
    LayerList layers;
    MapLayer* source = createLayer(layers, 3, 2, "Source", 1, 1);  // 1 2 3 / 4 5 6
    source->tiles[0] = 77;
    MapLayer* target = createLayer(layers, 5, 3, "Target", 0, 0);
    CellBlock at{0, 0, 4, 3};
    copyTiles(*source, CellBlock{-1, 0, 4, 3}, *target, at, false);
    EXPECT_EQ(tilesOf(*target), (std::vector<int>{
                                    77, 77, 2, 3, 0,   //
                                    3, 4, 5, 6, 0,     //
                                    6, 77, 77, 77, 0,  //
                                }));
}
