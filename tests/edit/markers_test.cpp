// The marker keys w and e.
#include <gtest/gtest.h>

#include "map/resize_layer.h"
#include "tests/support/map_test.h"

namespace {
struct MarkerTest : MapTest {
    void SetUp() override {
        mapOf(6, 6, 1);
        map->tiles[0] = 4;
    }
    // Keys act at the mouse position of the frame before, as in the running editor.
    void key(SDLKey k, int column, int row) {
        t.frame(mapX(column), mapY(row));
        t.pressKey(k);
        t.frame(mapX(column), mapY(row));
    }
};
}  // namespace

TEST_F(MarkerTest, WPlacesNumberedMarkersOnlyOnTileOne) {
    key(SDLK_w, 2, 2);
    key(SDLK_w, 0, 0);  // tile 4: no marker, no number used up
    key(SDLK_w, 3, 2);
    EXPECT_EQ(at(2, 2), e.tileCount);
    EXPECT_EQ(at(3, 2), e.tileCount + 1);
    EXPECT_EQ(at(0, 0), 4);
    EXPECT_EQ(e.nextMarkerTile, e.tileCount + 2);
    key(SDLK_w, 2, 2);  // already a marker
    EXPECT_EQ(e.nextMarkerTile, e.tileCount + 2);
}

// Slip caught: an Undo of a placement that keeps the number used up, so the next marker skips
// one and the line breaks where none was taken away. Undoing a lift gives no number back.
TEST_F(MarkerTest, UndoingAPlacementGivesItsNumberBack) {
    for (int column = 1; column <= 5; ++column) key(SDLK_w, column, 1);
    key(SDLK_u, 0, 0);
    EXPECT_EQ(at(5, 1), 1);
    key(SDLK_w, 5, 2);
    EXPECT_EQ(at(5, 2), e.tileCount + 4);
    key(SDLK_e, 1, 1);  // lifts marker 1
    key(SDLK_u, 0, 0);
    EXPECT_EQ(e.nextMarkerTile, e.tileCount + 5);
}

TEST_F(MarkerTest, WBeyondTheMapWritesNoNeighbouringCell) {
    key(SDLK_w, 6, 1);  // one column past the right edge
    key(SDLK_w, 1, 6);
    for (uint16_t tile : map->tiles) EXPECT_LT(tile, e.tileCount);
    EXPECT_EQ(e.nextMarkerTile, e.tileCount);
}

TEST_F(MarkerTest, ELiftsAMarkerAndPutsItDownOnAnOrdinaryTile) {
    key(SDLK_w, 2, 2);
    key(SDLK_e, 2, 2);
    EXPECT_EQ(e.heldMarkerTile, e.tileCount);
    EXPECT_EQ(at(2, 2), 1);
    key(SDLK_e, 0, 0);
    EXPECT_EQ(at(0, 0), e.tileCount);
    EXPECT_EQ(e.heldMarkerTile, 0);
}

TEST_F(MarkerTest, EDoesNothingOnAMarkerWhileHoldingOneOrOnATileWithNothingHeld) {
    key(SDLK_w, 1, 1);
    key(SDLK_w, 2, 1);
    key(SDLK_e, 1, 1);
    key(SDLK_e, 2, 1);  // holding a marker, over another marker
    EXPECT_EQ(at(2, 1), e.tileCount + 1);
    EXPECT_EQ(e.heldMarkerTile, e.tileCount);
    key(SDLK_e, 4, 4);
    key(SDLK_e, 0, 0);  // nothing held, ordinary tile
    EXPECT_EQ(at(0, 0), 4);
    EXPECT_EQ(e.heldMarkerTile, 0);
}

TEST_F(MarkerTest, NewResetsTheMarkerNumbers) {
    t.questions.answers = {SaveAnswer::Discard};
    key(SDLK_w, 1, 1);
    t.focusAt(100, 100);
    postCommand(e.commandQueue, HashedName("New"), "");
    t.frame(mapX(2), mapY(2));
    key(SDLK_w, 2, 1);
    EXPECT_EQ(at(2, 1), e.tileCount);
}
