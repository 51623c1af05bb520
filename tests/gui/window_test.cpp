// The window registry: lookups, point tests, layout after resizing, and the separator drag.
#include <gtest/gtest.h>

#include "tests/support/test_editor.h"

namespace {
SDL_Rect rectOf(Editor& e, const char* name) {
    return findWindow(e, name)->rect;
}

void resizeTo(TestEditor& t, int w, int h) {
    t.pushResize(w, h);
    t.frame(-1, -1);
}

const MapLayer& palette(Editor& e) {
    return *findLayer(e.layers, "Tile01");
}
}  // namespace

TEST(Windows, FindIgnoresCaseButNeedsTheWholeName) {
    TestEditor t;
    EXPECT_EQ(findWindow(t.editor(), "menubar"), findWindow(t.editor(), "MenuBar"));
    EXPECT_EQ(findWindow(t.editor(), "MENUBAR"), findWindow(t.editor(), "MenuBar"));
    EXPECT_NE(findWindow(t.editor(), "MenuBar"), nullptr);
    EXPECT_EQ(findWindow(t.editor(), "MenuBa"), nullptr);
}

TEST(Windows, LeftAndTopEdgesAreInsideRightAndBottomEdgesOutside) {
    TestEditor t;
    Editor& e = t.editor();
    EXPECT_EQ(windowAt(e, 0, 16)->name, "DesignWindow");
    EXPECT_EQ(windowAt(e, 539, 599)->name, "DesignWindow");
    EXPECT_EQ(windowAt(e, 540, 16)->name, "LineSeparator");
    EXPECT_EQ(windowAt(e, 544, 16)->name, "TileWindow");
    EXPECT_EQ(windowAt(e, 0, 15)->name, "MenuBar");
    EXPECT_EQ(windowAt(e, 800, 300), nullptr);
    EXPECT_EQ(windowAt(e, 100, 600), nullptr);
    EXPECT_EQ(windowAt(e, -1, 300), nullptr);
}

TEST(Windows, ResizeToASmallWindowLaysTheWindowsOutAgain) {
    TestEditor t;
    Editor& e = t.editor();
    resizeTo(t, 300, 200);
    EXPECT_EQ(e.screen->w, 300);
    EXPECT_EQ(e.screen->h, 200);
    SDL_Rect design = rectOf(e, "DesignWindow");
    SDL_Rect tiles = rectOf(e, "TileWindow");
    SDL_Rect separator = rectOf(e, "LineSeparator");
    SDL_Rect bar = rectOf(e, "MenuBar");
    EXPECT_EQ(design.w, 300 - 256 - 4);
    EXPECT_EQ(design.h, 184);
    EXPECT_EQ(separator.x, 40);
    EXPECT_EQ(tiles.x, 44);
    EXPECT_EQ(tiles.h, 184);
    EXPECT_EQ(bar.w, 300);
    // The separator never overlaps the design window.
    EXPECT_EQ(design.x + design.w, separator.x);
}

// A palette wider than the screen allows (the bundled 256 pixels, or dragged wide on a wider
// screen) is held to the separator drag's limit and re-flowed, so the separator stays on the
// screen and can be dragged again.
TEST(Windows, NarrowedScreenHoldsThePaletteToTheDragLimitAndKeepsTheSeparator) {
    const struct {
        bool draggedWide;  // to the left edge of the 800-pixel screen first: 49 columns
        int screenWidth;
        int columns;
        int dragBackTo;  // then drags the separator here
        int columnsAfterDrag;
    } cases[] = {
        {false, 200, 12, 100, 6},
        {true, 400, 24, 200, 12},
        {true, 30, 1, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screenWidth);
        TestEditor t;
        Editor& e = t.editor();
        if (c.draggedWide) {
            t.frame(541, 300, 0);
            t.frame(541, 300, SDL_BUTTON_LMASK);
            t.frame(0, 300, SDL_BUTTON_LMASK);
            t.frame(0, 300, 0);
            ASSERT_EQ(palette(e).width, 49);
        }
        resizeTo(t, c.screenWidth, 300);
        const int W = c.screenWidth, T = c.columns * 16;
        EXPECT_EQ(e.tileImages->sheetWidth, T);
        EXPECT_EQ(palette(e).width, c.columns);
        EXPECT_EQ(palette(e).height, (576 + c.columns - 1) / c.columns);
        EXPECT_EQ(palette(e).tiles[c.columns], c.columns);
        EXPECT_EQ(rectOf(e, "TileWindow").x, W - T);
        EXPECT_EQ(rectOf(e, "TileWindow").w, T);
        EXPECT_EQ(rectOf(e, "LineSeparator").x, W - T - 4);
        EXPECT_EQ(rectOf(e, "DesignWindow").w, W - T - 4);

        const int separatorX = rectOf(e, "LineSeparator").x;
        t.frame(separatorX + 1, 200, 0);
        t.frame(separatorX + 1, 200, SDL_BUTTON_LMASK);
        t.frame(c.dragBackTo, 200, SDL_BUTTON_LMASK);
        t.frame(c.dragBackTo, 200, 0);
        EXPECT_EQ(palette(e).width, c.columnsAfterDrag);
        EXPECT_EQ(rectOf(e, "TileWindow").x, W - c.columnsAfterDrag * 16);
    }
}

TEST(Windows, SeparatorDragSnapsToWholeColumnsAndReflowsThePalette) {
    TestEditor t;
    Editor& e = t.editor();
    t.frame(541, 300, 0);
    t.frame(541, 300, SDL_BUTTON_LMASK);
    EXPECT_TRUE(findWindow(e, "LineSeparator")->captured);
    t.frame(500, 300, SDL_BUTTON_LMASK);  // 300 pixels from the right edge: 18 columns
    EXPECT_EQ(palette(e).width, 18);
    EXPECT_EQ(palette(e).height, (576 + 17) / 18);
    EXPECT_EQ(palette(e).tiles[18], 18);
    EXPECT_EQ(rectOf(e, "TileWindow").x, 800 - 288);
    EXPECT_EQ(rectOf(e, "LineSeparator").x, 800 - 288 - 4);
    // Within the same column nothing changes.
    t.frame(505, 300, SDL_BUTTON_LMASK);
    EXPECT_EQ(palette(e).width, 18);
    // The separator keeps the mouse while the pointer is over the map.
    t.frame(200, 300, SDL_BUTTON_LMASK);
    EXPECT_EQ(palette(e).width, 37);
    EXPECT_EQ(palette(e).tiles.size(), 37u * 16u);
    t.frame(200, 300, 0);
    EXPECT_FALSE(findWindow(e, "LineSeparator")->captured);
    t.frame(100, 300, 0);
    EXPECT_EQ(palette(e).width, 37);
}

TEST(Windows, SeparatorDragStopsAtOneColumnAndAtTheScreenWidth) {
    TestEditor t;
    Editor& e = t.editor();
    t.frame(541, 300, 0);
    t.frame(541, 300, SDL_BUTTON_LMASK);
    t.frame(799, 300, SDL_BUTTON_LMASK);
    EXPECT_EQ(palette(e).width, 1);
    EXPECT_EQ(palette(e).height, 576);
    EXPECT_EQ(rectOf(e, "TileWindow").w, 16);
    t.frame(0, 300, SDL_BUTTON_LMASK);
    // The design window keeps a width of zero or more.
    EXPECT_EQ(palette(e).width, (800 - 4) / 16);
    EXPECT_EQ(rectOf(e, "DesignWindow").w, 800 - 49 * 16 - 4);
    EXPECT_LE(rectOf(e, "DesignWindow").w, 800);
}

TEST(Windows, PressOverTheMapDoesNotCaptureTheSeparator) {
    TestEditor t;
    t.frame(300, 300, 0);
    t.frame(300, 300, SDL_BUTTON_LMASK);
    t.frame(541, 300, SDL_BUTTON_LMASK);  // held button moved over the separator
    EXPECT_FALSE(findWindow(t.editor(), "LineSeparator")->captured);
    EXPECT_EQ(palette(t.editor()).width, 16);
}
