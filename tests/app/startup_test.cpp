// Start-up, the frame loop and shut-down, on SDL's dummy video driver.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/caption.h"
#include "app/command_names.h"
#include "app/main_loop.h"
#include "tests/support/test_editor.h"

TEST(Startup, MissingFontEndsWithAnErrorBoxAndStatusOne) {
    TestEditorOptions options;
    options.withFont = false;
    options.buildInterface = false;
    TestEditor t(options);
    EXPECT_EQ(t.editor().font, nullptr);
    EXPECT_EQ(runEditor(t.editor()), 1);
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "Error deatils");
    EXPECT_NE(t.messages.shown[0].text.find("GOTHIC.TTF"), std::string::npos);
    EXPECT_EQ(t.editor().screen, nullptr);
}

TEST(Startup, InterfaceHasTheWindowsLayersAndCaption) {
    TestEditor t;
    Editor& e = t.editor();
    ASSERT_NE(e.screen, nullptr);
    EXPECT_EQ(e.screen->w, 800);
    EXPECT_EQ(e.screen->h, 600);
    ASSERT_EQ(e.windows.size(), 4u);
    EXPECT_EQ(e.windows[0]->name, "LineSeparator");
    EXPECT_EQ(e.windows[1]->name, "DesignWindow");
    EXPECT_EQ(e.windows[2]->name, "TileWindow");
    EXPECT_EQ(e.windows[3]->name, "MenuBar");
    EXPECT_EQ(e.windows[3]->showsLayers, 0);
    EXPECT_EQ(e.windows[0]->showsLayers, 0);
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(e.layerCount, 1);
    MapLayer* first = currentMapLayer(e);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name, "Map1");
    EXPECT_EQ(first->number, 1);
    EXPECT_EQ(first->width, 128);
    MapLayer* palette = findLayer(e.layers, "Tile01");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->number, -1);
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    EXPECT_STREQ(caption, "Velloran 1.09 / ");
    EXPECT_EQ(e.dialogs.size(), 3u);
    for (const auto& dialog : e.dialogs) EXPECT_EQ(dialog->visible, 0);
}

TEST(Startup, FirstLayoutPutsThePaletteAtTheRightEdge) {
    TestEditor t;
    const SDL_Rect tiles = findWindow(t.editor(), "TileWindow")->rect;
    const SDL_Rect design = findWindow(t.editor(), "DesignWindow")->rect;
    const SDL_Rect separator = findWindow(t.editor(), "LineSeparator")->rect;
    EXPECT_EQ(tiles.x, 544);
    EXPECT_EQ(tiles.w, 256);
    EXPECT_EQ(design.w, 540);
    EXPECT_EQ(separator.x, 540);
    EXPECT_EQ(separator.w, 4);
}

TEST(Startup, LayerOneWithoutAName) {
    TestEditor t(TestEditorOptions{R"(<Data><integer Name="MapWidth" Value="4"/>
      <integer Name="MapHeight" Value="4"/></Data>)",
                                   true, true, false});
    Editor& e = t.editor();
    EXPECT_TRUE(findWindow(e, "DesignWindow")->layerNames.empty());
    ASSERT_NE(findLayer(e.layers, ""), nullptr);
    EXPECT_EQ(e.menus.selected->label, "");
}

TEST(MainLoop, PreparingTheLoopPostsTheCaptionRequestAndClearsLayerOne) {
    TestEditor t;
    Editor& e = t.editor();
    currentMapLayer(e)->tiles[5] = 9;
    prepareMainLoop(e);
    ASSERT_EQ(e.commandQueue.size(), 1u);
    EXPECT_EQ(e.commandQueue[0]->command, cmd::SetCaptionSizeDimensions);
    EXPECT_EQ(currentMapLayer(e)->tiles[5], 0);
}

TEST(MainLoop, HeadlessFrameDrawsTheMapPaletteAndMenuBar) {
    TestEditor t;
    Editor& e = t.editor();
    prepareMainLoop(e);
    t.frame(900, 900);
    // Map1 holds tile 0, an opaque ground tile, in every cell.
    Rgb ground = pixelAt(e.screen, 8, 24);
    EXPECT_FALSE(ground == (Rgb{255, 0, 255}));
    EXPECT_EQ(pixelAt(e.screen, 0, 16), pixelAt(e.tileImages->images[0]->surface, 0, 0));
    EXPECT_EQ(pixelAt(e.screen, 541, 300), (Rgb{188, 188, 188}));
    EXPECT_EQ(pixelAt(e.screen, 799, 0), (Rgb{188, 188, 188}));
    // Tile 1 is transparent: the palette's checkerboard shows through at its cell.
    EXPECT_EQ(pixelAt(e.screen, 560, 16), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixelAt(e.screen, 568, 16), (Rgb{128, 128, 128}));
}

TEST(MainLoop, MouseReleasedMarksTheFrameTheLastButtonWasLetGo) {
    TestEditor t;
    Editor& e = t.editor();
    t.frame(900, 900, SDL_BUTTON_LMASK);
    EXPECT_EQ(e.mouseReleased, 0);
    t.frame(900, 900, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK);
    t.frame(900, 900, SDL_BUTTON_RMASK);
    EXPECT_EQ(e.mouseReleased, 0);
    t.frame(900, 900, 0);
    EXPECT_EQ(e.mouseReleased, 1);
    t.frame(900, 900, 0);
    EXPECT_EQ(e.mouseReleased, 0);
}

TEST(MainLoop, HelpersForButtonsAndBlocks) {
    EXPECT_EQ(buttonSide(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK), "Left");
    EXPECT_EQ(buttonSide(SDL_BUTTON_RMASK), "Right");
    EXPECT_EQ(buttonSide(SDL_BUTTON_MMASK), "");
    EXPECT_EQ(brushLayerName("Right"), "BrushRight");
    CellBlock block = dragRect(CellPosition{5, 2}, CellPosition{3, 4});
    EXPECT_EQ(block.column, 3);
    EXPECT_EQ(block.row, 2);
    EXPECT_EQ(block.width, 3);
    EXPECT_EQ(block.height, 3);
}

TEST(MainLoop, WindowCloseEndsTheLoopAfterTheFrame) {
    TestEditor t;
    SDL_Surface* screen = t.editor().screen;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    t.pressKey(SDLK_ESCAPE);
    runMainLoop(t.editor());
    EXPECT_EQ(t.editor().quitRequested, 1);
    // The frame that took the close was drawn to the end: the menu bar reaches the right edge.
    EXPECT_EQ(pixelAt(screen, 799, 0), (Rgb{188, 188, 188}));
}

TEST(Startup, ConfiguredMapLargerThanALayerMayBeStartsEmptyWithAWarning) {
    TestEditor t(TestEditorOptions{R"(<Data><integer Name="MapWidth" Value="100000"/>
      <integer Name="MapHeight" Value="100000"/><string Name="Layer1" Value="Map1"/></Data>)",
                                   true, true, false});
    MapLayer* first = currentMapLayer(t.editor());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width, 0);
    EXPECT_TRUE(first->tiles.empty());
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
    EXPECT_NE(t.messages.shown[0].text.find("100000 x 100000"), std::string::npos);
    t.frame(100, 100, SDL_BUTTON_LMASK);
}

// Without a usable video driver, or without a display when no driver was asked for, the editor
// says why and ends with status 1; it must not reach the cursors or the windows, which need
// the video mode, nor run unseen on a driver that shows nothing.
TEST(Startup, VideoThatCannotStartOrShowEndsWithAnErrorBoxAndStatusOne) {
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    const struct {
        const char* driver;  // null: none asked for
        const char* display;
    } cases[] = {{"no-such-driver", ""}, {nullptr, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver ? c.driver : "no driver asked for, no display");
        TestEditorOptions options;
        options.buildInterface = false;
        TestEditor t(options);
        if (c.driver)
            setenv("SDL_VIDEODRIVER", c.driver, 1);
        else
            unsetenv("SDL_VIDEODRIVER");
        if (!c.display) unsetenv("DISPLAY");
        const int status = runEditor(t.editor());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
        EXPECT_EQ(status, 1);
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].title, "Error deatils");
        EXPECT_FALSE(t.messages.shown[0].text.empty());
        EXPECT_EQ(t.editor().screen, nullptr);
        EXPECT_EQ(t.editor().drawCursor, nullptr);
        EXPECT_TRUE(t.editor().windows.empty());
    }
}

// The editor plays no sound, so only the video is started.
TEST(Startup, OnlyTheVideoIsStarted) {
    TestEditor t;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), static_cast<Uint32>(SDL_INIT_VIDEO));
}
