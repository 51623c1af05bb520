// The dialogs' number fields: typing, deleting, the 65535 ceiling and the field's width.
#include <gtest/gtest.h>

#include "tests/support/test_editor.h"

namespace {
struct NumberFieldTest : ::testing::Test {
    TestEditor t;  // for the interface font the fields are measured in
    Editor& e = t.editor();

    NumberInput field(const std::string& text, int width = 46) {
        NumberInput f(SDL_Rect{54, 30, static_cast<Uint16>(width), 18}, text);
        f.focused = 1;
        return f;
    }
    bool type(StringInput& f, uint16_t unicode, SDLKey sym = SDLK_UNKNOWN) {
        SDL_keysym key{};
        key.sym = sym;
        key.unicode = unicode;
        return f.handleKey(e, key);
    }
    int textWidth(const std::string& text) {
        int w = 0, h = 0;
        TTF_SizeText(e.font, text.c_str(), &w, &h);
        return w;
    }
};
}  // namespace

TEST_F(NumberFieldTest, BackspaceRemovesDigitsDownToZero) {
    NumberInput f = field("128");
    EXPECT_EQ(f.value, 128);
    const char* texts[] = {"12", "1", "0"};
    const int values[] = {12, 1, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(type(f, 8, SDLK_BACKSPACE));
        EXPECT_EQ(f.text, texts[i]);
        EXPECT_EQ(f.value, values[i]);
    }
    EXPECT_TRUE(type(f, 8, SDLK_BACKSPACE));
    EXPECT_EQ(f.text, "0");
}

TEST_F(NumberFieldTest, DigitReplacesALeadingZeroAndTheValueStopsAt65535) {
    NumberInput f = field("0");
    type(f, '7');
    EXPECT_EQ(f.text, "7");
    EXPECT_EQ(f.value, 7);
    NumberInput nines = field("9999");
    type(nines, '9');
    EXPECT_EQ(nines.text, "65535");
    EXPECT_EQ(nines.value, 65535);
    NumberInput full = field("65535");
    type(full, '1');
    EXPECT_EQ(full.text, "65535");
    EXPECT_EQ(full.value, 65535);
}

TEST_F(NumberFieldTest, LettersArrowsAndWideCharactersAreTakenButIgnored) {
    NumberInput f = field("42");
    EXPECT_TRUE(type(f, 'a', SDLK_a));
    EXPECT_TRUE(type(f, 0, SDLK_LEFT));
    EXPECT_TRUE(type(f, ' ', SDLK_SPACE));
    // Characters beyond ASCII whose low bits spell a digit or a backspace.
    for (uint16_t unicode : {0x00E9, 0x0131, 0x00B1, 0x0108, 0x0888}) EXPECT_TRUE(type(f, unicode));
    EXPECT_EQ(f.text, "42");
    EXPECT_EQ(f.value, 42);

    StringInput plain;
    plain.rect = SDL_Rect{0, 0, 200, 18};
    plain.focused = 1;
    type(plain, 'x');
    type(plain, 0x00E9);  // é is no 'i'
    type(plain, 0x00C1);  // nor is Á an 'A'
    EXPECT_EQ(plain.text, "x");
}

TEST_F(NumberFieldTest, UnfocusedFieldRefusesTheKey) {
    NumberInput f = field("12");
    f.focused = 0;
    EXPECT_FALSE(type(f, '3'));
    EXPECT_FALSE(type(f, 8, SDLK_BACKSPACE));
    EXPECT_EQ(f.text, "12");
    EXPECT_EQ(f.value, 12);
}

TEST_F(NumberFieldTest, DigitThatWouldOverflowTheFieldIsRefused) {
    ASSERT_NE(e.font, nullptr);
    NumberInput f = field("1", 20);
    for (int i = 0; i < 4; ++i) type(f, '8');
    EXPECT_LE(textWidth(f.text), 20);
    EXPECT_GT(textWidth(f.text + "8"), 20);
    EXPECT_LT(f.text.size(), 5u);
    EXPECT_EQ(f.value, std::stoi(f.text));
    // A digit that still fits is taken.
    NumberInput wide = field("1", 200);
    for (int i = 0; i < 4; ++i) type(wide, '8');
    EXPECT_EQ(wide.text, "18888");
}

// Catches the first digit after the focusing click being added to the number shown ("128" and
// 4096 giving 12840), and a second click not letting the user edit the number instead.
TEST_F(NumberFieldTest, FirstDigitAfterTheFocusingClickReplacesTheNumber) {
    for (int clicks : {1, 2}) {
        Dialog dialog;
        addNumberInput(&dialog, 54, 30, 200, 18);
        e.mouseReleased = 1;
        for (int i = 0; i < clicks; ++i) updateDialog(e, dialog, 60, 35);
        for (char c : std::string("4096")) type(*dialog.inputs[0], c);
        EXPECT_EQ(dialog.inputs[0]->text, clicks == 1 ? "4096" : "12840");
    }
}
