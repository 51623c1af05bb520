// One dialog at a time: while a dialog is open, nothing opens another, and the open one keeps
// the user's clicks and keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/editing.h"

namespace {
struct MenuItem {
    const char* name;
    int titleX;  // titles at (x, 2, 40, 13); items 18 high below them
    int itemTop;
};
const MenuItem kNew{"File > New", 2, 15};
const MenuItem kOpen{"File > Open", 2, 33};
const MenuItem kSave{"File > Save", 2, 51};
const MenuItem kReSize{"Map > ReSize", 178, 33};
const MenuItem kAbout{"Help > About Velloran", 222, 15};

struct ModalEditor {
    TestEditor t;
    Editor& e = t.editor();

    ModalEditor() {
        t.focusAt(100, 100);
        t.frame(100, 100);
    }
    // Opens the item's menu and clicks the item, as a user does.
    void choose(const MenuItem& item) {
        t.frame(item.titleX + 5, 5, SDL_BUTTON_LMASK);
        t.frame(item.titleX + 5, 5, 0);
        t.frame(item.titleX + 5, item.itemTop + 5, SDL_BUTTON_LMASK);
        t.frame(item.titleX + 5, item.itemTop + 5, 0);
        t.frame(100, 100);
    }
    // A press and release at (x, y) relative to the dialog's corner.
    void click(const Dialog& d, int x, int y) {
        t.frame(d.rect.x + x, d.rect.y + y, SDL_BUTTON_LMASK);
        t.frame(d.rect.x + x, d.rect.y + y, 0);
    }
    // A field takes one key per frame.
    void type(SDLKey key, uint16_t unicode) {
        t.pressKey(key, unicode);
        t.frame(100, 100);
    }
    void retype(const std::string& digits) {
        for (int i = 0; i < 5; ++i) type(SDLK_BACKSPACE, 8);
        for (char c : digits) type(static_cast<SDLKey>(c), static_cast<uint16_t>(c));
    }
    std::vector<std::string> shownDialogs() {
        std::vector<std::string> names;
        for (const auto& d : e.dialogs)
            if (d->visible) names.push_back(d->name);
        return names;
    }
};
}  // namespace

// Map > ReSize then File > New used to stack both size dialogs on one spot: a click focused a
// field in each, digits went to the one underneath and one click pressed both buttons, so the
// map was recreated and then resized.
TEST(ModalDialogs, NewOverTheResizeDialogDoesNothingAndTheResizeDialogKeepsTheInput) {
    ModalEditor m;
    Editor& e = m.e;
    m.t.questions.answers.assign(4, SaveAnswer::Discard);
    setTile(*currentMapLayer(e), 3, 2, 7);
    m.choose(kReSize);
    m.choose(kNew);
    EXPECT_EQ(m.shownDialogs(), std::vector<std::string>{"Resize Map"});

    const Dialog& resize = *findDialog(e, "Resize Map");
    m.click(resize, 60, 35);  // width field
    m.retype("40");
    m.click(resize, 60, 55);  // height field
    m.retype("30");
    EXPECT_EQ(resize.inputs[0]->text, "40");
    EXPECT_EQ(resize.inputs[1]->text, "30");
    m.click(resize, 240, 80);  // Resize Map
    m.t.frame(100, 100);
    EXPECT_TRUE(m.shownDialogs().empty());
    const MapLayer& map = *currentMapLayer(e);
    EXPECT_EQ(map.width, 40);
    EXPECT_EQ(map.height, 30);
    EXPECT_EQ(tileAt(map, 3, 2), 7);  // resized, not recreated
    EXPECT_EQ(findDialog(e, "Create Map")->inputs[0]->text, "128");

    // Closed, it no longer holds the others back; the window's close always works.
    m.choose(kAbout);
    EXPECT_EQ(m.shownDialogs(), std::vector<std::string>{"About"});
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    m.t.frame(100, 100);
    EXPECT_EQ(e.quitRequested, 1);
}

// Every item that opens a dialog or a file dialog, chosen while each dialog is open.
TEST(ModalDialogs, NoDialogOrFileDialogOpensWhileADialogIsOpen) {
    for (const MenuItem& first : {kNew, kReSize, kAbout}) {
        for (const MenuItem& second : {kNew, kOpen, kSave, kReSize, kAbout}) {
            SCOPED_TRACE(std::string(first.name) + ", then " + second.name);
            ModalEditor m;
            m.choose(first);
            ASSERT_EQ(m.shownDialogs().size(), 1u);
            const std::vector<std::string> open = m.shownDialogs();
            m.choose(second);
            EXPECT_EQ(m.shownDialogs(), open);
            EXPECT_TRUE(m.t.files.requests.empty());
            EXPECT_TRUE(m.e.commandQueue.empty());
        }
    }
}
