// The map view, checked pixel by pixel on the dummy driver's screen.
#include "map/map_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "map/line_points.h"
#include "tests/support/test_editor.h"

namespace {
const Rgb kWhite{255, 255, 255};
const Rgb kGrey{128, 128, 128};
const Rgb kMagenta{255, 0, 255};
const Rgb kBlack{0, 0, 0};

struct MapViewTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    void clearScreen(Rgb colour = kMagenta) {
        SDL_FillRect(e.screen, nullptr, SDL_MapRGB(e.screen->format, colour.r, colour.g, colour.b));
    }
    // A visible window at (x, y) showing one new layer of w x h cells, all tile `tile`.
    MapLayer* windowWithLayer(const SDL_Rect& rect, int w, int h, uint16_t tile, int number) {
        MapLayer* layer = createLayer(e.layers, w, h, "ViewTest", 0, tile);
        layer->number = number;
        window = createWindow(e, rect.x, rect.y, rect.w, rect.h, "ViewWindow", "ViewTest", 0);
        window->visible = 1;
        return layer;
    }
    Rgb imagePixel(int tile, int x, int y) {
        return pixelAt(e.tileImages->images[tile]->surface, x, y);
    }
    Window* window = nullptr;
};
}  // namespace

TEST_F(MapViewTest, CheckerboardHasOneExtraRowAndAnUnpaintedRightMargin) {
    MapLayer* layer = windowWithLayer(SDL_Rect{100, 100, 21, 19}, 0, 0, 1, 1);
    (void)layer;
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 100, 100), kWhite);
    EXPECT_EQ(pixelAt(e.screen, 108, 100), kGrey);
    EXPECT_EQ(pixelAt(e.screen, 100, 108), kGrey);
    EXPECT_EQ(pixelAt(e.screen, 108, 108), kWhite);
    // Three rows for 19 pixels: the last reaches to y 123, five pixels below the window.
    EXPECT_EQ(pixelAt(e.screen, 100, 123), kWhite);
    EXPECT_EQ(pixelAt(e.screen, 100, 124), kMagenta);
    // Two squares for 21 pixels: x 116 .. 120 stay as they were.
    EXPECT_EQ(pixelAt(e.screen, 115, 100), kGrey);
    EXPECT_EQ(pixelAt(e.screen, 116, 100), kMagenta);
    EXPECT_EQ(pixelAt(e.screen, 120, 110), kMagenta);
}

TEST_F(MapViewTest, TilesAreBlendedOverTheCheckerboardAtTheirCells) {
    windowWithLayer(SDL_Rect{0, 16, 64, 64}, 4, 4, 1, 1);
    MapLayer* layer = findLayer(e.layers, "ViewTest");
    layer->tiles[1 * 4 + 2] = 0;  // column 2, row 1
    // Make the transparent tile's first pixel half-transparent red.
    SDL_Surface* clear = e.tileImages->images[1]->surface;
    Uint32 red = SDL_MapRGBA(clear->format, 255, 0, 0, 128);
    std::memcpy(clear->pixels, &red, 4);
    e.tileImages->images[1]->invisible = false;  // it has a pixel to draw now
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 32, 32), imagePixel(0, 0, 0));
    EXPECT_EQ(pixelAt(e.screen, 47, 47), imagePixel(0, 15, 15));
    EXPECT_EQ(pixelAt(e.screen, 49, 33), kWhite);  // tile 1 at column 3, row 1: checkerboard
    Rgb blended = pixelAt(e.screen, 0, 16);        // red at half alpha over white
    EXPECT_NEAR(blended.r, 255, 2);
    EXPECT_NEAR(blended.g, 127, 3);
    EXPECT_NEAR(blended.b, 127, 3);
}

TEST_F(MapViewTest, HiddenLayerShowsOnlyTheCheckerboardUnderLayerOne) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 64, 64}, 4, 4, 0, 1);
    layer->visible = 0;
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 0, 16), kWhite);
    EXPECT_EQ(pixelAt(e.screen, 8, 16), kGrey);
}

TEST_F(MapViewTest, WindowThatShowsNoLayersDrawsNothingOrItsColour) {
    windowWithLayer(SDL_Rect{0, 16, 64, 64}, 4, 4, 0, 1);
    window->showsLayers = 0;
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 10, 20), kMagenta);

    Window* plain =
        createWindow(e, 100, 100, 10, 10, "Plain", "", SDL_MapRGB(e.screen->format, 0, 0, 255));
    plain->visible = 1;
    drawLayerWindow(e, *plain);
    EXPECT_EQ(pixelAt(e.screen, 105, 105), (Rgb{0, 0, 255}));
    plain->visible = 0;
    clearScreen();
    drawLayerWindow(e, *plain);
    EXPECT_EQ(pixelAt(e.screen, 105, 105), kMagenta);
}

TEST_F(MapViewTest, TileWithoutAnImageDrawsImageZero) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 64, 64}, 4, 4, 1, 1);
    e.tileCount = 1000;
    layer->tiles[0] = 800;
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 3, 19), imagePixel(0, 3, 3));
    EXPECT_TRUE(e.shownMarkers.places().empty());
}

TEST_F(MapViewTest, MarkersInSequenceAreJoinedAndLabelled) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 320, 160}, 20, 10, 1, 1);
    const int base = e.tileCount;
    layer->tiles[0 * 20 + 2] = base + 3;   // (2, 0)
    layer->tiles[0 * 20 + 12] = base + 4;  // (12, 0)
    layer->tiles[5 * 20 + 12] = base + 6;  // (12, 5)
    clearScreen();
    drawLayerWindow(e, *window);
    ASSERT_EQ(e.shownMarkers.places().size(), 3u);
    EXPECT_EQ(e.shownMarkers.places().begin()->first, 3);
    // A white line runs between the centres of markers 4 and 5 (indexes 3 and 4) ...
    EXPECT_EQ(pixelAt(e.screen, 100, 16 + 8), kWhite);
    // ... but none from the marker labelled 5 down to the one labelled 7.
    EXPECT_EQ(pixelAt(e.screen, 12 * 16 + 8, 16 + 48), kGrey);
    // Each marker gets a black label box with white text.
    for (int column : {2, 12}) {
        EXPECT_EQ(pixelAt(e.screen, column * 16, 16 + 15), kBlack);
    }
    int whiteInLastBox = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) whiteInLastBox += pixelAt(e.screen, 192 + x, 96 + y) == kWhite;
    }
    EXPECT_GT(whiteInLastBox, 3);
}

TEST_F(MapViewTest, MarkerScrolledOutOfViewBreaksTheChain) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 160, 160}, 30, 10, 1, 1);
    const int base = e.tileCount;
    layer->tiles[0 * 30 + 1] = base + 0;
    layer->tiles[0 * 30 + 8] = base + 1;
    layer->offsetX = 5;
    clearScreen();
    drawLayerWindow(e, *window);
    ASSERT_EQ(e.shownMarkers.places().size(), 1u);
    EXPECT_EQ(e.shownMarkers.places().begin()->first, 1);
    EXPECT_EQ(e.shownMarkers.places().begin()->second.x, 3 * 16);
}

TEST_F(MapViewTest, LineToTheSurfaceWidthIsNotDrawn) {
    clearScreen(kBlack);
    drawLine(e.screen, 10, 10, static_cast<float>(e.screen->w), 10);
    EXPECT_EQ(pixelAt(e.screen, 10, 10), kBlack);
    drawLine(e.screen, 10, 10, static_cast<float>(e.screen->w - 1), 10);
    EXPECT_EQ(pixelAt(e.screen, 10, 10), kWhite);
    EXPECT_EQ(pixelAt(e.screen, e.screen->w - 1, 10), kBlack);  // the end point is not plotted
    drawLine(e.screen, 5, 50, 8, 80);                           // steep
    EXPECT_EQ(pixelAt(e.screen, 5, 50), kWhite);
    EXPECT_EQ(pixelAt(e.screen, 8, 80), kBlack);
}

// Pictures draw a line band by band. Slips: the row range of a falling or steep line off by one
// or turned round, so that a band misses points or draws another band's.
TEST(LineStepsTest, BandsOfRowsTogetherPlotTheWholeLineEachPointOnce) {
    const long long lines[][4] = {{3, 5, 200, 90},  {3, 90, 200, 5}, {40, 2, 45, 170},
                                  {45, 170, 40, 2}, {0, 7, 150, 7},  {9, 9, 9, 9}};
    for (const auto& l : lines) {
        std::vector<std::pair<long long, long long>> whole, banded;
        forEachLinePoint(l[0], l[1], l[2], l[3], [&](long long x, long long y) {
            whole.push_back({x, y});
        });
        const LineSteps steps(l[0], l[1], l[2], l[3]);
        for (long long top = 0; top < 200; top += 16) {
            const auto [first, last] = steps.stepsInRows(top, top + 16);
            steps.plot(first, last, [&](long long x, long long y) {
                EXPECT_TRUE(y >= top && y < top + 16) << l[0] << "," << l[1];
                banded.push_back({x, y});
            });
        }
        std::sort(whole.begin(), whole.end());
        std::sort(banded.begin(), banded.end());
        EXPECT_EQ(banded, whole) << l[0] << "," << l[1] << " to " << l[2] << "," << l[3];
    }
}

TEST_F(MapViewTest, LargerCellsPlaceTheImagesOnTheirOwnGrid) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 128, 64}, 4, 2, 1, 2);
    layer->cellWidth = 32;
    layer->cellHeight = 32;
    fillTiles(*layer, 0, 1);
    layer->tiles[1] = 0;
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 32, 16), imagePixel(0, 0, 0));
    EXPECT_EQ(pixelAt(e.screen, 47, 31), imagePixel(0, 15, 15));
    EXPECT_EQ(pixelAt(e.screen, 48, 16), kMagenta);  // not a layer-1 window: no checkerboard
    EXPECT_EQ(pixelAt(e.screen, 32, 32), kMagenta);
}

TEST_F(MapViewTest, HighlightShadesACellForOneFrame) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 64, 64}, 4, 4, 1, 1);
    layer->highlighted.insert(0);
    clearScreen();
    drawLayerWindow(e, *window);
    Rgb shaded = pixelAt(e.screen, 0, 16);
    EXPECT_LT(shaded.r, 255);
    EXPECT_GT(shaded.r, 150);
    EXPECT_TRUE(layer->highlighted.empty());
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 0, 16), kWhite);
}

TEST_F(MapViewTest, ScrollClampKeepsTheViewInsideTheLayer) {
    MapLayer* layer = windowWithLayer(SDL_Rect{0, 16, 100, 100}, 30, 30, 1, 1);
    layer->offsetX = 29;
    layer->offsetY = -4;
    clampScroll(e, *window);
    EXPECT_EQ(layer->offsetX, 30 - 100 / 16);
    EXPECT_EQ(layer->offsetY, 0);
    layer->width = 3;
    layer->offsetX = 2;
    clampScroll(e, *window);
    EXPECT_EQ(layer->offsetX, 0);
}

TEST_F(MapViewTest, BrushPreviewIsCentredOnTheCellUnderThePointer) {
    MapLayer* brush = createLayer(e.layers, 3, 1, "BrushLeft", 0, 0);
    (void)brush;
    e.mouseX = 100;  // cell column 6 of the screen grid
    e.mouseY = 40;   // row 2
    clearScreen();
    drawBrushPreview(e, "Left");
    EXPECT_EQ(pixelAt(e.screen, 5 * 16, 32), imagePixel(0, 0, 0));
    EXPECT_EQ(pixelAt(e.screen, 7 * 16 + 15, 47), imagePixel(0, 15, 15));
    EXPECT_EQ(pixelAt(e.screen, 8 * 16, 32), kMagenta);
    EXPECT_EQ(pixelAt(e.screen, 4 * 16 + 15, 32), kMagenta);
}

// Rows of millions of 1024-pixel cells, scrolled near their end, and a layer without columns
// scrolled to the last of two billion rows: pixel and scroll arithmetic must not overflow (the
// sanitized run fails on any overflow), and the cell at the scroll position still lands in
// the view's corner.
TEST_F(MapViewTest, FarScrolledLongLayersDrawAndClampWithoutOverflow) {
    MapLayer* wide = windowWithLayer(SDL_Rect{0, 16, 100, 40}, 2200000, 1, 1, 2);
    wide->cellWidth = wide->cellHeight = 1024;
    fillTiles(*wide, 0, 1);
    wide->tiles[2199990] = 0;
    wide->offsetX = 2199990;
    clearScreen();
    drawLayerWindow(e, *window);
    EXPECT_EQ(pixelAt(e.screen, 0, 16), imagePixel(0, 0, 0));
    EXPECT_EQ(pixelAt(e.screen, 15, 31), imagePixel(0, 15, 15));
    clampScroll(e, *window);
    EXPECT_EQ(wide->offsetX, 2199990);  // 100 pixels show no whole 1024-pixel cell

    wide->width = 0;
    wide->height = 0x7FFFFFFF;
    wide->tiles.clear();
    wide->cellWidth = wide->cellHeight = 16;
    wide->offsetY = 0x7FFFFFFE;
    drawLayerWindow(e, *window);
    clampScroll(e, *window);
    EXPECT_EQ(wide->offsetY, 0x7FFFFFFF - 40 / 16);
    EXPECT_EQ(wide->offsetX, 0);
}
