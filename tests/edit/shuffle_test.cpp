// Shuffling brushes.
#include "edit/shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/editing.h"

TEST(Shuffle, KeepsTheTiles) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 3, 2, "BrushLeft", 1, 10);
    std::srand(7);
    for (int i = 0; i < 5; ++i) shuffleLayer(*layer);
    std::vector<int> tiles = tilesOf(*layer);
    std::sort(tiles.begin(), tiles.end());
    EXPECT_EQ(tiles, (std::vector<int>{10, 11, 12, 13, 14, 15}));
}

TEST(Shuffle, SameSequenceOfShufflesGivesTheSameResult) {
    auto run = [] {
        LayerList layers;
        MapLayer* layer = createLayer(layers, 4, 4, "BrushLeft", 1, 0);
        std::srand(1);
        for (int i = 0; i < 3; ++i) shuffleLayer(*layer);
        return tilesOf(*layer);
    };
    std::vector<int> first = run();
    EXPECT_EQ(first, run());
    EXPECT_NE(first, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(Shuffle, FollowsForwardFisherYatesOnRand) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 5, 1, "BrushLeft", 1, 0);
    std::srand(3);
    std::vector<int> expected = {0, 1, 2, 3, 4};
    for (size_t k = 1; k < expected.size(); ++k)
        std::swap(expected[k], expected[(std::rand() & 0x7FFF) % (k + 1)]);
    std::srand(3);
    shuffleLayer(*layer);
    EXPECT_EQ(tilesOf(*layer), expected);
}

TEST(Shuffle, LargeLayersDrawWiderRandomNumbers) {
    LayerList layers;
    MapLayer* layer = createLayer(layers, 200, 200, "BrushLeft", 1, 0);
    std::srand(5);
    shuffleLayer(*layer);
    // With 15-bit numbers alone no cell beyond index 32767 could be swapped to the front.
    int beyond = 0;
    for (int i = 0; i < 1000; ++i) beyond += layer->tiles[i] > 32767;
    EXPECT_GT(beyond, 0);
}

TEST(Shuffle, OneCellAndEmptyLayersStayAsTheyAre) {
    LayerList layers;
    MapLayer* one = createLayer(layers, 1, 1, "One", 0, 9);
    MapLayer* none = createLayer(layers, 0, 3, "None", 0, 9);
    std::srand(2);
    const int before = std::rand();
    std::srand(2);
    shuffleLayer(*one);
    shuffleLayer(*none);
    EXPECT_EQ(one->tiles[0], 9);
    EXPECT_TRUE(none->tiles.empty());
    EXPECT_EQ(std::rand(), before);  // no random number was used
}

TEST(Shuffle, ShufflingAMissingBrushCreatesNone) {
    TestEditor t;
    Editor& e = t.editor();
    shuffleNamedLayer(e.layers, "BrushLeft");
    EXPECT_EQ(findLayer(e.layers, "BrushLeft"), nullptr);
}
