// MapTest: a fresh editor whose first map layer each test sizes and fills, and the clicks and
// reads that tests of painting share.
#pragma once

#include <gtest/gtest.h>

#include "map/resize_layer.h"
#include "tests/support/editing.h"

struct MapTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* map = nullptr;

    // Makes the first map layer width x height, its tiles running from `start` by `step`.
    void mapOf(int width, int height, uint16_t start, int step = 0) {
        map = resizeLayer(e.layers, *currentMapLayer(e), width, height);
        fillTiles(*map, step, start);
    }
    // A press of `buttons` over the cell, and the release.
    void click(int column, int row, uint8_t buttons = SDL_BUTTON_LMASK) {
        t.frame(mapX(column), mapY(row), buttons);
        t.frame(mapX(column), mapY(row), 0);
    }
    int at(int column, int row) { return map->tiles[row * map->width + column]; }
};
