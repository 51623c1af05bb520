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
