// Layers longer than 32767 or 65535 cells on a side: every tool reaches their far cells.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "edit/flood_fill.h"
#include "edit/undo.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
struct LongLayer {
    int width;
    int height;
};

// The cell (column, row) holds a tile made from its position, so a cell written or read in the
// wrong place shows.
uint16_t tileOf(int column, int row) {
    return static_cast<uint16_t>(3 + (column * 7 + row * 13) % 500);
}

MapLayer* longMap(Editor& e, LongLayer shape) {
    MapLayer* layer = resizeLayer(e.layers, *currentMapLayer(e), shape.width, shape.height);
    for (int row = 0; row < shape.height; ++row) {
        for (int column = 0; column < shape.width; ++column) {
            layer->tiles[static_cast<size_t>(row) * shape.width + column] = tileOf(column, row);
        }
    }
    return layer;
}

int at(const MapLayer& layer, int column, int row) {
    return layer.tiles[static_cast<size_t>(row) * layer.width + column];
}

const LongLayer kShapes[] = {{40000, 40}, {40, 40000}, {70000, 4}};

// The long map, its view scrolled so that the cell next to the far corner is at map cell
// (8, 8) of the window, and the editor's focus on the map.
MapLayer* scrolledToTheFarCorner(TestEditor& t, LongLayer shape) {
    MapLayer* map = longMap(t.editor(), shape);
    map->offsetX = shape.width - 10;
    map->offsetY = shape.height - 10;
    t.focusAt(mapX(8), mapY(8));
    return map;
}
}  // namespace

TEST(LongLayers, DrawAndUndoReachTheFarCorner) {
    for (LongLayer shape : kShapes) {
        SCOPED_TRACE(std::to_string(shape.width) + " x " + std::to_string(shape.height));
        TestEditor t;
        Editor& e = t.editor();
        MapLayer* map = scrolledToTheFarCorner(t, shape);
        makeBrush(e, "Left", 3, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1});
        t.frame(mapX(8), mapY(8), SDL_BUTTON_LMASK);
        t.frame(mapX(8), mapY(8), 0);
        const int right = shape.width - 1, bottom = shape.height - 1;
        for (int column = right - 2; column <= right; ++column) {
            for (int row = bottom - 2; row <= bottom; ++row) EXPECT_EQ(at(*map, column, row), 1);
        }
        EXPECT_EQ(at(*map, right - 3, bottom), tileOf(right - 3, bottom));
        EXPECT_EQ(at(*map, 0, 0), tileOf(0, 0));
        ASSERT_EQ(e.history.undoSteps().size(), 1u);
        undoLast(e);
        for (int column = right - 2; column <= right; ++column) {
            for (int row = bottom - 2; row <= bottom; ++row) {
                EXPECT_EQ(at(*map, column, row), tileOf(column, row));
            }
        }
    }
}

TEST(LongLayers, FillEdgeAndPickReachTheLastColumnAndRow) {
    for (LongLayer shape : kShapes) {
        SCOPED_TRACE(std::to_string(shape.width) + " x " + std::to_string(shape.height));
        TestEditor t;
        Editor& e = t.editor();
        MapLayer* map = scrolledToTheFarCorner(t, shape);
        const int right = shape.width - 1, bottom = shape.height - 1;

        // A 2 x 2 brush picked from the map's far corner.
        e.pickBrushArmed = 1;
        t.frame(mapX(8), mapY(8), SDL_BUTTON_LMASK);
        t.frame(mapX(9), mapY(9), SDL_BUTTON_LMASK);
        t.frame(mapX(9), mapY(9), 0);
        EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")),
                  (std::vector<int>{tileOf(right - 1, bottom - 1), tileOf(right, bottom - 1),
                                    tileOf(right - 1, bottom), tileOf(right, bottom)}));

        fillEdge(*map, 2);
        EXPECT_EQ(at(*map, right, 1), 2);
        EXPECT_EQ(at(*map, 1, bottom), 2);
        EXPECT_EQ(at(*map, right, bottom), 2);
        EXPECT_EQ(at(*map, 1, 1), tileOf(1, 1));  // inside the ring
    }
}

TEST(LongLayers, ResizeKeepsEveryColumnBothSizesShare) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* map = longMap(e, {70000, 2});
    MapLayer* resized = resizeLayer(e.layers, *map, 65535, 3);
    ASSERT_EQ(resized->width, 65535);
    for (int column : {0, 4463, 4464, 32768, 65534}) {
        EXPECT_EQ(at(*resized, column, 1), tileOf(column, 1)) << column;
        EXPECT_EQ(at(*resized, column, 2), 0) << column;
    }
}
