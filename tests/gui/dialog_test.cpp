// Dialogs: where they open, what a click on them does, modality and how they are drawn.
#include <gtest/gtest.h>

#include "app/command_names.h"
#include "gui/interface.h"
#include "tests/support/editing.h"

namespace {
struct DialogTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    void resizeScreen(int w, int h) {
        t.pushResize(w, h);
        t.frame(0, 300);
    }
    // One frame's dialog update with the mouse at (x, y) relative to the dialog.
    void pointAt(Dialog& d, int x, int y, bool released) {
        e.mouseReleased = released;
        updateDialog(e, d, d.rect.x + x, d.rect.y + y);
    }
    Rgb at(int x, int y) { return pixelAt(e.screen, x, y); }
};
}  // namespace

TEST_F(DialogTest, ThreeDialogsAreBuiltHidden) {
    ASSERT_EQ(e.dialogs.size(), 3u);
    const char* names[] = {"About", "Resize Map", "Create Map"};
    const int heights[] = {200, 100, 100};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.dialogs[i]->name, names[i]);
        EXPECT_EQ(e.dialogs[i]->visible, 0);
        EXPECT_EQ(e.dialogs[i]->rect.w, 320);
        EXPECT_EQ(e.dialogs[i]->rect.h, heights[i]);
        EXPECT_FALSE(dialogOpen(*e.dialogs[i]));
    }
}

TEST_F(DialogTest, DialogsOpenCentredOnTheResizedScreenAndOnlyOpenOnesFollow) {
    resizeScreen(1000, 700);
    Dialog* about = findDialog(e, "About");
    const SDL_Rect aboutBefore = about->rect;
    showDialog(e, "Resize Map");
    Dialog* resize = findDialog(e, "Resize Map");
    EXPECT_EQ(resize->rect.x, 500 - 160);
    EXPECT_EQ(resize->rect.y, 350 - 50);
    resizeScreen(640, 480);
    EXPECT_EQ(resize->rect.x, 320 - 160);
    EXPECT_EQ(resize->rect.y, 240 - 50);
    EXPECT_EQ(about->rect.x, aboutBefore.x);
    EXPECT_EQ(about->rect.y, aboutBefore.y);
    showDialog(e, "About");
    EXPECT_EQ(about->rect.y, 240 - 100);
}

// A screen smaller than a dialog used to push its button off the far edge, leaving a modal
// dialog that could not be answered. The corner stays at 0, 0 while the screen holds the
// buttons; on a smaller screen the dialog moves back just far enough to show them whole.
TEST_F(DialogTest, OnASmallScreenTheDialogKeepsItsCornerAndItsButtonOnScreen) {
    const struct {
        const char* name;
        int w, h;
    } cases[] = {
        {"About", 640, 480},      // fits: centred as ever
        {"Resize Map", 318, 98},  // smaller than the dialog, not than its button's far edge
        {"About", 300, 150},      // smaller than the Ok button's bottom edge
        {"Create Map", 200, 90},  // smaller than the button's far edges both ways
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " on " + std::to_string(c.w) + " x " +
                     std::to_string(c.h));
        resizeScreen(800, 600);
        showDialog(e, c.name);
        resizeScreen(c.w, c.h);
        Dialog& d = *findDialog(e, c.name);
        const SDL_Rect& b = d.buttons[0]->rect;
        const int right = b.x + b.w, bottom = b.y + b.h;
        if (c.w >= d.rect.w && c.h >= d.rect.h) {
            EXPECT_EQ(d.rect.x, c.w / 2 - 160);
            EXPECT_EQ(d.rect.y, c.h / 2 - d.rect.h / 2);
        }
        if (c.w >= right) {
            EXPECT_GE(d.rect.x, 0);
            EXPECT_LE(d.rect.x + right, c.w);
        } else {
            EXPECT_EQ(d.rect.x + right, c.w);
        }
        if (c.h >= bottom) {
            EXPECT_GE(d.rect.y, 0);
            EXPECT_LE(d.rect.y + bottom, c.h);
        } else {
            EXPECT_EQ(d.rect.y + bottom, c.h);
        }
        const int x = d.rect.x + b.x + b.w / 2, y = d.rect.y + b.y + b.h / 2;
        t.frame(x, y, SDL_BUTTON_LMASK);
        t.frame(x, y, 0);
        EXPECT_EQ(d.visible, 0);
    }
}

TEST_F(DialogTest, ButtonIsHitFromItsTopLeftEdgeUpToButNotIncludingItsFarEdges) {
    showDialog(e, "About");
    Dialog& about = *findDialog(e, "About");  // Ok at 255, 175, 60 x 20
    pointAt(about, 255 + 60, 180, true);
    pointAt(about, 260, 175 + 20, true);
    EXPECT_EQ(about.visible, 1);
    EXPECT_TRUE(e.commandQueue.empty());
    pointAt(about, 255, 175, false);  // pressed, not yet released
    EXPECT_EQ(about.buttons[0]->hovered, 1);
    EXPECT_EQ(about.visible, 1);
    EXPECT_TRUE(e.commandQueue.empty());
    pointAt(about, 255, 175, true);
    EXPECT_EQ(about.visible, 0);
    ASSERT_EQ(e.commandQueue.size(), 1u);
    EXPECT_TRUE(e.commandQueue[0]->command == cmd::ButtonOK);
    pointAt(about, 255, 175, true);  // a hidden dialog takes no more clicks
    EXPECT_EQ(e.commandQueue.size(), 1u);
}

TEST_F(DialogTest, ClickFocusesTheFieldUnderItAndNoOther) {
    showDialog(e, "Resize Map");
    Dialog& d = *findDialog(e, "Resize Map");  // fields at 54, 30 and 54, 50, 46 x 18
    d.inputs[0]->focused = 1;
    d.inputs[1]->focused = 1;
    pointAt(d, 150, 40, true);
    EXPECT_EQ(d.inputs[0]->focused, 0);
    EXPECT_EQ(d.inputs[1]->focused, 0);
    pointAt(d, 60, 35, true);
    EXPECT_EQ(d.inputs[0]->focused, 1);
    pointAt(d, 99, 67, false);  // a press alone moves no focus
    EXPECT_EQ(d.inputs[0]->focused, 1);
    pointAt(d, 99, 67, true);
    EXPECT_EQ(d.inputs[0]->focused, 0);
    EXPECT_EQ(d.inputs[1]->focused, 1);
}

TEST_F(DialogTest, OpenOnlyWithAVisibleClickableButton) {
    Dialog& about = *findDialog(e, "About");
    about.visible = 1;
    EXPECT_TRUE(dialogOpen(about));
    about.buttons[0]->clickable = 0;
    EXPECT_FALSE(dialogOpen(about));
    about.buttons[0]->clickable = 1;
    about.buttons[0]->visible = 0;
    EXPECT_FALSE(dialogOpen(about));
}

TEST_F(DialogTest, OpenDialogStopsPaintingAndShadesTheMap) {
    makeBrush(e, "Left", 1, 1, {5});
    t.focusAt(mapX(2), mapY(2));
    t.frame(20, 500);
    const Rgb plain = at(20, 500);
    ASSERT_GT(plain.r + plain.g + plain.b, 0);
    showDialog(e, "About");
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    EXPECT_EQ(tileAt(*currentMapLayer(e), 2, 2), 0);
    const Rgb shaded = at(20, 500);
    EXPECT_LT(shaded.r + shaded.g + shaded.b, plain.r + plain.g + plain.b);
    findDialog(e, "About")->visible = 0;
    t.frame(mapX(2), mapY(2), SDL_BUTTON_LMASK);
    EXPECT_EQ(tileAt(*currentMapLayer(e), 2, 2), 5);
}

// The checkerboard leaves the design window's last 540 mod 8 = 4 pixel columns unpainted, and a
// 10 x 10 map covers little of the window: what stood there (tiles of the map before, the grey
// of a new screen) stayed, and darkened with every frame a dialog shaded it.
TEST_F(DialogTest, WhatTheMapDoesNotCoverIsClearedInEveryFrame) {
    t.focusAt(100, 100);
    t.frame(100, 100);
    Dialog& create = *findDialog(e, "Create Map");
    showDialog(e, "Create Map");
    for (auto& field : create.inputs) {
        field->text = "10";
        static_cast<NumberInput&>(*field).value = 10;
    }
    const int bx = create.rect.x + 240, by = create.rect.y + 80;
    t.frame(bx, by, SDL_BUTTON_LMASK);
    t.frame(bx, by, 0);
    ASSERT_EQ(currentMapLayer(e)->width, 10);

    // Map cell, checkerboard, last checkerboard column, separator, palette, menu bar.
    const int covered[][2] = {{mapX(1), mapY(1)}, {300, 300}, {535, 599},
                              {541, 300},         {600, 100}, {400, 5}};
    std::vector<Rgb> clean;
    t.frame(700, 5);
    for (const auto& p : covered) {
        clean.push_back(at(p[0], p[1]));
        EXPECT_FALSE(clean.back() == (Rgb{0, 0, 0})) << p[0];
    }
    auto expectStripBlack = [&] {
        for (int y = 16; y < 600; ++y) {
            for (int x = 536; x < 540; ++x) ASSERT_EQ(at(x, y), (Rgb{0, 0, 0})) << x << ", " << y;
        }
    };
    expectStripBlack();

    t.pushResize(800, 600);  // the new screen starts grey
    t.frame(700, 5);
    expectStripBlack();
    showDialog(e, "About");
    t.frame(700, 5);
    const Rgb shaded = at(537, 100);  // beside the About dialog
    t.frame(700, 5);
    EXPECT_EQ(at(537, 100), shaded);
    Dialog& about = *findDialog(e, "About");
    const int ox = about.rect.x + 280, oy = about.rect.y + 185;
    t.frame(ox, oy, SDL_BUTTON_LMASK);
    t.frame(ox, oy, 0);
    t.frame(700, 5);
    expectStripBlack();
    for (size_t i = 0; i < clean.size(); ++i) {
        EXPECT_EQ(at(covered[i][0], covered[i][1]), clean[i]) << covered[i][0];
    }
}

TEST_F(DialogTest, DrawingShowsBackgroundButtonsAndFieldsInTheirColours) {
    Dialog& d = *findDialog(e, "Resize Map");
    SDL_FillRect(e.screen, nullptr, SDL_MapRGB(e.screen->format, 10, 20, 30));
    drawDialog(e, d);
    EXPECT_EQ(at(d.rect.x + 1, d.rect.y + 1), (Rgb{10, 20, 30}));  // hidden: nothing drawn
    d.visible = 1;
    d.inputs[1]->focused = 1;
    drawDialog(e, d);
    const int x = d.rect.x, y = d.rect.y;
    EXPECT_EQ(at(x + 1, y + 98), (Rgb{128, 128, 128}));
    EXPECT_EQ(at(x + 236, y + 76), (Rgb{222, 222, 222}));           // Resize Map button
    EXPECT_EQ(at(x + 54 + 45, y + 30 + 17), (Rgb{222, 222, 222}));  // width field
    EXPECT_EQ(at(x + 54 + 45, y + 50 + 17), (Rgb{188, 188, 188}));  // focused height field
    d.buttons[0]->hovered = 1;
    d.inputs[0]->text = "";
    drawDialog(e, d);
    EXPECT_EQ(at(x + 236, y + 76), (Rgb{244, 166, 80}));
    for (int fy = 30; fy < 48; ++fy) {
        for (int fx = 54; fx < 100; ++fx) ASSERT_EQ(at(x + fx, y + fy), (Rgb{222, 222, 222}));
    }
    int dark = 0;  // the height field's "128" is drawn in black
    for (int fy = 50; fy < 68; ++fy) {
        for (int fx = 54; fx < 100; ++fx) dark += at(x + fx, y + fy) == Rgb{0, 0, 0};
    }
    EXPECT_GT(dark, 0);
}

// The About box names the SDL library the editor really runs on, which may be either of the
// two SDL 1.2 libraries, and the line fits the dialog.
TEST_F(DialogTest, AboutNamesTheLinkedSdlLibraryWithinTheDialog) {
    const struct {
        SDL_version linked;
        const char* line;
    } cases[] = {
        {{1, 2, 15}, "Built with SDL-1.2.14, running on SDL 1.2.15"},
        {{1, 2, 68}, "Built with SDL-1.2.14, running on sdl12-compat 1.2.68"},
        {{1, 2, 50}, "Built with SDL-1.2.14, running on sdl12-compat 1.2.50"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toolkitLine(c.linked), c.line);
        int width = 0, height = 0;
        ASSERT_EQ(TTF_SizeText(e.font, c.line, &width, &height), 0);
        EXPECT_LE(6 + width, 320) << c.line;
    }
    const Dialog& about = *findDialog(e, "About");
    EXPECT_EQ(about.lines[1]->text, toolkitLine(*SDL_Linked_Version()));
}

// File > New by mistake had no way out but to create a new map: a focused field took every key,
// Escape included. Escape closes the open dialog, focused field or not, without running its
// button's request; what was typed stays, and Escape types nothing.
TEST_F(DialogTest, EscapeClosesEachDialogWithoutActingAndKeepsWhatWasTyped) {
    t.focusAt(100, 100);
    t.frame(100, 100);
    for (const char* name : {"About", "Resize Map", "Create Map"}) {
        SCOPED_TRACE(name);
        const int mapWidth = currentMapLayer(e)->width;
        showDialog(e, name);
        Dialog& d = *findDialog(e, name);
        if (!d.inputs.empty()) {  // focus the width field and type a 7 over its 128
            t.frame(d.rect.x + 60, d.rect.y + 35, SDL_BUTTON_LMASK);
            t.frame(d.rect.x + 60, d.rect.y + 35);
            ASSERT_EQ(d.inputs[0]->focused, 1);
            t.pressKey(SDLK_7, '7');
            t.frame(0, 300);
        }
        t.pressKey(SDLK_ESCAPE, 27);
        t.frame(0, 300);
        EXPECT_EQ(d.visible, 0);
        EXPECT_FALSE(anyDialogOpen(e));
        for (int i = 0; i < 3; ++i) t.frame(0, 300);  // a request it posted would run now
        EXPECT_EQ(currentMapLayer(e)->width, mapWidth);
        EXPECT_TRUE(e.commandQueue.empty());
        if (!d.inputs.empty()) {
            EXPECT_EQ(d.inputs[0]->text, "7");
            t.pressKey(SDLK_0, '0');  // a closed dialog's field takes no keys
            t.frame(0, 300);
            EXPECT_EQ(d.inputs[0]->text, "7");
        }
    }
    // With no dialog open, Escape does nothing.
    t.pressKey(SDLK_ESCAPE, 27);
    t.frame(0, 300);
    EXPECT_TRUE(e.commandQueue.empty());
    EXPECT_EQ(e.quitRequested, 0);
}
