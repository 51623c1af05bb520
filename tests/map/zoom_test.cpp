// The zoomed design window: which cell the pointer is on, how far scrolling goes, the reduced
// tiles and the markers, at every level. Expected cells come from the scale 2^level worked out
// in floating point here, not from the view's own arithmetic.
#include "map/zoom.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <tuple>

#include "app/command_names.h"
#include "edit/scroll.h"
#include "edit/undo.h"
#include "edit/zoom_commands.h"
#include "map/map_view.h"
#include "map/scaled_tiles.h"
#include "tests/support/map_test.h"

namespace {
struct ZoomTest : MapTest {
    Window* design = nullptr;
    void SetUp() override {
        mapOf(kMaxLayerSide, kMaxLayerSide, 5);
        makeBrush(e, "Left", 1, 1, {7});
        design = findWindow(e, kDesignWindowName);
    }
    // Screen pixels a cell takes at `level` (fractions below 1/16).
    static double cellPixels(int level) { return kTileEdge * std::ldexp(1.0, level); }
    // The cell a click `pixels` from the window's corner paints.
    std::pair<int, int> paintedBy(int px, int py) {
        t.frame(design->rect.x + px, design->rect.y + py, SDL_BUTTON_LMASK);
        t.frame(design->rect.x + px, design->rect.y + py, 0);
        for (int row = 0; row < map->height; ++row) {
            for (int column = 0; column < map->width; ++column) {
                if (at(column, row) != 7) continue;
                setTile(*map, column, row, 5);
                return {column, row};
            }
        }
        return {-1, -1};
    }
};

// Slips: a shift the wrong way for levels below or above 1, the scroll position added in
// pixels, the window's corner left out.
TEST_F(ZoomTest, AClickAtEveryLevelPaintsTheCellUnderThePointer) {
    for (int level = kSmallestZoomLevel; level <= kLargestZoomLevel; ++level) {
        design->zoomLevel = level;
        map->offsetX = 1000;
        map->offsetY = 600;
        for (int p : {0, 7, 100, 333}) {
            const int cell = static_cast<int>(std::floor(p / cellPixels(level)));
            EXPECT_EQ(paintedBy(p, p), std::make_pair(1000 + cell, 600 + cell))
                << "level " << level << ", " << p << " pixels in";
        }
    }
}

// Slips: the scroll limits left at level 1's cell count, a page that skips a row or repeats
// two, a step below 1 that moves less than a tile's width of the screen.
TEST_F(ZoomTest, ScrollingReachesTheLastCellsAndPagesKeepOneRowAtEveryLevel) {
    for (int level = kSmallestZoomLevel; level <= kLargestZoomLevel; ++level) {
        design->zoomLevel = level;
        const int rows = static_cast<int>(std::floor(design->rect.h / cellPixels(level)));
        const int columns = static_cast<int>(std::floor(design->rect.w / cellPixels(level)));
        scrollDesignToEdge(e, false, true);
        scrollDesignPage(e, 1);
        EXPECT_EQ(map->offsetY, std::min(std::max(1, rows - 1), std::max(0, kMaxLayerSide - rows)))
            << "level " << level;
        scrollWindow(e, *design, ScrollDirection::Right);
        // A step moves the cells a tile's width of the screen shows.
        const int step = std::max(1, static_cast<int>(kTileEdge / cellPixels(level)));
        EXPECT_EQ(map->offsetX, std::min(step, std::max(0, kMaxLayerSide - columns)));
        scrollDesignToEdge(e, true, true);
        EXPECT_EQ(map->offsetX, std::max(0, kMaxLayerSide - columns)) << "level " << level;
        EXPECT_EQ(map->offsetY, std::max(0, kMaxLayerSide - rows)) << "level " << level;
        // The bottom-right cell is then drawn wholly inside the window.
        const double right = (kMaxLayerSide - map->offsetX) * cellPixels(level);
        EXPECT_LE(right, design->rect.w);
        const std::pair<int, int> corner =
            paintedBy(static_cast<int>(right) - 1, static_cast<int>(right) - 1);
        EXPECT_GT(corner.first, kMaxLayerSide - 1 - std::max(1.0, 1 / cellPixels(level)));
    }
}

// Slips: the colour averaged without weighting by alpha, a square read from the wrong row.
TEST_F(ZoomTest, ReducedTilesAreTheAlphaWeightedAverageOfTheirSquares) {
    for (int level : {-1, -2, -4, -7}) {
        const ScaledTiles& tiles = scaledTiles(*e.tileImages, level);
        const int factor = kTileEdge / tiles.side;
        const int top = (tiles.side - 1) * factor;  // the bottom-left square
        for (size_t tile : {0, 1, 2, 300, 400}) {
            SDL_Surface* image = e.tileImages->images[tile]->surface;
            double sum[3] = {0, 0, 0}, alpha = 0;
            for (int y = top; y < top + factor; ++y) {
                for (int x = 0; x < factor; ++x) {
                    Uint32 pixel = 0;
                    std::memcpy(&pixel,
                                static_cast<Uint8*>(image->pixels) + y * image->pitch + x * 4, 4);
                    Uint8 c[4];
                    SDL_GetRGBA(pixel, image->format, &c[0], &c[1], &c[2], &c[3]);
                    for (int k = 0; k < 3; ++k) sum[k] += c[k] * c[3];
                    alpha += c[3];
                }
            }
            const uint8_t* got = tiles.reducedTile(tile) + (tiles.side - 1) * tiles.side * 4;
            EXPECT_EQ(got[3], std::lround(alpha / (factor * factor))) << tile << " " << level;
            for (int k = 0; k < 3 && alpha > 0; ++k) EXPECT_NEAR(got[k], sum[k] / alpha, 0.5);
        }
    }
}

// Slips: markers looked for only in the cells the pixels sample (lost below 1/16), a box left at
// the tile's size, the line dropped when both boxes share a pixel column.
TEST_F(ZoomTest, MarkersShowAtEveryLevelAtTheirCellsCorner) {
    fillTiles(*map, 0, kSeeThroughTile);
    setTile(*map, 100, 100, static_cast<uint16_t>(e.tileCount));
    setTile(*map, 103, 104, static_cast<uint16_t>(e.tileCount + 1));
    for (int level = kSmallestZoomLevel; level <= kLargestZoomLevel; ++level) {
        design->zoomLevel = level;
        map->offsetX = map->offsetY = 99;
        clampScroll(e, *design);
        drawLayerWindow(e, *design);
        ASSERT_EQ(e.shownMarkers.places().size(), 2u) << "level " << level;
        const MarkerPlace& first = e.shownMarkers.places().begin()->second;
        const long long x =
            design->rect.x + std::lround(std::floor((100 - map->offsetX) * cellPixels(level)));
        const long long y =
            design->rect.y + std::lround(std::floor((100 - map->offsetY) * cellPixels(level)));
        EXPECT_EQ(std::make_pair(first.x, first.y), std::make_pair(x, y)) << "level " << level;
        EXPECT_EQ(pixelAt(e.screen, static_cast<int>(x) + 1, static_cast<int>(y) + 1),
                  (Rgb{0, 0, 0}));
        EXPECT_EQ(e.shownMarkers.boxSide(), std::max(2.0, cellPixels(level)));
    }
}

// Slips: a way of writing tiles that does not tell the zoomed-out view, which then shows its
// kept picture of the map as it was.
TEST_F(ZoomTest, EveryWayOfChangingTilesShowsInTheNextZoomedOutFrame) {
    auto clickAt = [&](int px) {
        t.frame(design->rect.x + px, design->rect.y, SDL_BUTTON_LMASK);
        t.frame(design->rect.x + px, design->rect.y, 0);
    };
    // Each change, and the pixel that shows it at 1:128 (a pixel for every 8 cells).
    const std::tuple<const char*, std::function<void()>, int> changes[] = {
        {"a stroke", [&] { clickAt(0); }, 0},
        {"a fill",
         [&] {
             e.toolMode = ToolMode::Fill;
             clickAt(1);
             e.toolMode = ToolMode::Draw;
         },
         1},
        {"an undo", [&] { undoLast(e); }, 1},
        {"a marker", [&] { setTile(*map, 16, 0, static_cast<uint16_t>(e.tileCount)); }, 2},
    };
    design->zoomLevel = kSmallestZoomLevel;
    for (const auto& [what, change, px] : changes) {
        drawLayerWindow(e, *design);
        const Rgb before = pixelAt(e.screen, design->rect.x + px, design->rect.y);
        change();
        drawLayerWindow(e, *design);
        EXPECT_FALSE(pixelAt(e.screen, design->rect.x + px, design->rect.y) == before) << what;
    }
}
}  // namespace

// Slips: the part drawn again after a write too small for a tile reaching past its cell, for
// the blocks the view below 1:32 shows by their corner, or for a marker's box; a marker's lines
// left to the part when a marker was written; the kept picture not brought up to date.
TEST_F(ZoomTest, WhatAWriteRedrawsMatchesTheWholeWindowDrawnAfresh) {
    auto picture = [&] {
        std::vector<Rgb> pixels;
        for (int y = 0; y < design->rect.h; ++y) {
            for (int x = 0; x < design->rect.w; ++x) {
                pixels.push_back(pixelAt(e.screen, design->rect.x + x, design->rect.y + y));
            }
        }
        return pixels;
    };
    setTile(*map, 30, 20, static_cast<uint16_t>(e.tileCount));
    // Away from the markers a scroll moves the kept picture; there, it draws the window afresh.
    for (int i = 0; i < 4000; ++i) {  // something there to see move
        setTile(*map, 1000 + i * 37 % 1500, 1000 + i * 91 % 1400,
                static_cast<uint16_t>(300 + i % 40));
    }
    auto awayFromMarkers = [&] {
        map->offsetX = 1003;
        map->offsetY = 1005;
        clampScroll(e, *design);
        drawLayerWindow(e, *design);
    };
    // Each change, and the highest level at which it is drawn as a part (1: never).
    const std::tuple<const char*, std::function<void()>, int> changes[] = {
        {"a block of tiles",
         [&] {
             for (int cell = 0; cell < 64; ++cell) {
                 setTile(*map, 40 + cell % 8, 24 + cell / 8, static_cast<uint16_t>(300 + cell));
             }
         },
         -7},
        {"a marker's line", [&] { setTile(*map, 70, 61, static_cast<uint16_t>(e.tileCount + 1)); },
         1},
        {"a tile under a box", [&] { setTile(*map, 31, 21, 300); }, -7},
        {"a scroll right",
         [&] {
             awayFromMarkers();
             scrollWindow(e, *design, ScrollDirection::Right);
         },
         -6},
        {"a scroll up",
         [&] {
             awayFromMarkers();
             scrollWindow(e, *design, ScrollDirection::Up);
         },
         -6},
        {"a scroll near the markers", [&] { scrollWindow(e, *design, ScrollDirection::Left); }, 1},
    };
    for (int level : {-1, -3, -4, -6, -7}) {
        design->zoomLevel = level;
        for (const auto& [what, change, partFrom] : changes) {
            map->offsetX = 3;
            map->offsetY = 5;
            drawLayerWindow(e, *design);
            change();
            if (level >= partFrom) {
                SDL_Rect redrawn;
                EXPECT_EQ(e.viewCache.show(e, *design, redrawn), ViewCache::Redraw::Part)
                    << what << " at level " << level;
            }
            drawLayerWindow(e, *design);
            const std::vector<Rgb> after = picture();
            // Another zoomed-out level and back: the window drawn whole, not shown as kept.
            design->zoomLevel = level == -1 ? -2 : level + 1;
            drawLayerWindow(e, *design);
            design->zoomLevel = level;
            drawLayerWindow(e, *design);
            EXPECT_TRUE(picture() == after) << what << " at level " << level;
        }
    }
}
