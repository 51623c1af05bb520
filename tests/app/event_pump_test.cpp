// The event pump: focus, the key table, the wheel, text fields and window resizing.
#include "app/event_pump.h"

#include <gtest/gtest.h>

#include "app/command_names.h"
#include "app/held_arrows.h"
#include "edit/undo.h"
#include "gui/interface.h"
#include "tests/support/test_editor.h"

namespace {
void pushFocus(int gain, int state) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.gain = gain;
    event.active.state = state;
    SDL_PushEvent(&event);
}

void pushWheel(int button) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    SDL_PushEvent(&event);
}

std::vector<std::string> queued(const Editor& e) {
    std::vector<std::string> names;
    for (const auto& r : e.commandQueue) names.push_back(r->command.text + ":" + r->parameter);
    return names;
}
}  // namespace

TEST(EventPump, FocusNamesTheWindowUnderThePointerOrTheDeadArea) {
    TestEditor t;
    Editor& e = t.editor();
    t.focusAt(600, 100);
    pumpEvents(e);
    EXPECT_EQ(e.focusName, "TileWindow");
    pushFocus(0, SDL_APPMOUSEFOCUS);
    pumpEvents(e);
    EXPECT_EQ(e.focusName, "Focus Lost");
    t.focusAt(900, 700);
    pumpEvents(e);
    EXPECT_EQ(e.focusName, "Dead Area");
    // Only pure mouse-focus changes count.
    pushFocus(0, SDL_APPMOUSEFOCUS | SDL_APPACTIVE);
    pushFocus(0, SDL_APPINPUTFOCUS);
    pumpEvents(e);
    EXPECT_EQ(e.focusName, "Dead Area");
}

TEST(EventPump, KeysAndWheelPostTheirRequests) {
    TestEditor t;
    Editor& e = t.editor();
    t.pressKey(SDLK_3);
    t.pressKey(SDLK_SPACE);
    t.pressKey(SDLK_UP);
    t.pressKey(SDLK_DOWN);
    t.pressKey(SDLK_LEFT);
    t.pressKey(SDLK_RIGHT);
    t.pressKey(SDLK_ESCAPE);
    pushWheel(SDL_BUTTON_WHEELUP);
    pushWheel(SDL_BUTTON_WHEELDOWN);
    pushWheel(SDL_BUTTON_LEFT);
    pumpEvents(e);
    EXPECT_EQ(queued(e), (std::vector<std::string>{
                             "Layer Change:Map3", "Toggle HideShow:", "ScrollUp:", "ScrollDown:",
                             "ScrollLeft:", "ScrollRight:", "ScrollUp:", "ScrollDown:"}));
}

TEST(EventPump, DigitPostsTheLayerSettingNotItsKey) {
    TestEditor t(TestEditorOptions{R"(<Data><string Name="Layer1" Value="Ground"/>
      <string Name="Layer2" Value="Trees"/></Data>)",
                                   true, true, true});
    t.pressKey(SDLK_2);
    t.pressKey(SDLK_9);
    pumpEvents(t.editor());
    EXPECT_EQ(queued(t.editor()),
              (std::vector<std::string>{"Layer Change:Trees", "Layer Change:"}));
}

TEST(EventPump, KeysAndWheelAreIgnoredWhileFocusIsLost) {
    TestEditor t;
    Editor& e = t.editor();
    pushFocus(0, SDL_APPMOUSEFOCUS);
    t.pressKey(SDLK_UP);
    t.pressKey(SDLK_1);
    t.pressKey(SDLK_p);
    pushWheel(SDL_BUTTON_WHEELDOWN);
    pumpEvents(e);
    EXPECT_TRUE(e.commandQueue.empty());
    EXPECT_EQ(e.pickBrushArmed, 0);
    t.focusAt(100, 100);
    t.pressKey(SDLK_p);
    pumpEvents(e);
    EXPECT_EQ(e.pickBrushArmed, 1);
}

TEST(EventPump, RequestsFromTheDeadAreaAreDropped) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* layer = currentMapLayer(e);
    t.focusAt(900, 700);
    t.pressKey(SDLK_DOWN);
    t.frame(900, 700);
    EXPECT_TRUE(e.commandQueue.empty());
    EXPECT_EQ(layer->offsetY, 0);
    t.focusAt(100, 100);
    t.pressKey(SDLK_DOWN);
    t.frame(100, 100);
    EXPECT_EQ(layer->offsetY, 1);
}

TEST(EventPump, RepeatsOfAReleasedKeyAreDroppedAndEachTapCounts) {
    TestEditor t;
    Editor& e = t.editor();
    t.focusAt(100, 100);
    t.tapKey(SDLK_RIGHT);
    pumpEvents(e);
    EXPECT_EQ(queued(e), (std::vector<std::string>{"ScrollRight:"}));
    e.commandQueue.clear();
    // Key-downs the library goes on repeating after the key came up scroll nothing...
    t.pressKey(SDLK_RIGHT);
    t.pressKey(SDLK_RIGHT);
    pumpEvents(e);
    EXPECT_TRUE(e.commandQueue.empty());
    // ... while the next tap scrolls again, and held keys still repeat at the set pace.
    t.tapKey(SDLK_RIGHT);
    t.tapKey(SDLK_LEFT);
    pumpEvents(e);
    EXPECT_EQ(queued(e), (std::vector<std::string>{"ScrollRight:", "ScrollLeft:"}));
    int delay = 0;
    int interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    EXPECT_EQ(delay, 500);
    EXPECT_EQ(interval, intSetting(e, "KeyboardScrollSpeed"));

    // A dialog's field is spared a released key's repeats as well.
    Dialog* dialog = findDialog(e, "Resize Map");
    dialog->visible = 1;
    dialog->inputs[0]->focused = 1;
    t.tapKey(SDLK_BACKSPACE, 8);
    pumpEvents(e);
    pumpEvents(e);  // the key-up waited behind the key the field took
    t.pressKey(SDLK_BACKSPACE, 8);
    pumpEvents(e);
    EXPECT_EQ(dialog->inputs[0]->text, "12");
}

TEST(EventPump, FocusedFieldTakesTheKeyAndLaterEventsWait) {
    TestEditor t;
    Editor& e = t.editor();
    Dialog* dialog = findDialog(e, "Resize Map");
    dialog->visible = 1;
    dialog->inputs[0]->focused = 1;
    t.pressKey(SDLK_BACKSPACE, 8);
    t.pressKey(SDLK_DOWN);
    pumpEvents(e);
    EXPECT_EQ(dialog->inputs[0]->text, "12");
    EXPECT_TRUE(e.commandQueue.empty());
    SDL_Event waiting[4];
    EXPECT_EQ(SDL_PeepEvents(waiting, 4, SDL_PEEKEVENT, SDL_ALLEVENTS), 1);
    // The arrow key went to the field as well (it has no character), at the next pump.
    pumpEvents(e);
    EXPECT_EQ(dialog->inputs[0]->text, "12");
    EXPECT_TRUE(e.commandQueue.empty());
    dialog->inputs[0]->focused = 0;
    t.pressKey(SDLK_DOWN);
    pumpEvents(e);
    EXPECT_EQ(queued(e), (std::vector<std::string>{"ScrollDown:"}));
}

TEST(EventPump, HiddenDialogsFieldsGetNoKeys) {
    TestEditor t;
    Dialog* dialog = findDialog(t.editor(), "Create Map");
    dialog->inputs[0]->focused = 1;
    t.pressKey(SDLK_1, '1');
    pumpEvents(t.editor());
    EXPECT_EQ(dialog->inputs[0]->text, "128");
    EXPECT_EQ(queued(t.editor()).size(), 1u);
}

TEST(EventPump, ReturnGoesFullScreenAtTheDesktopSizeAndBackToTheWindowSize) {
    TestEditor t;
    Editor& e = t.editor();
    t.pushResize(640, 480);
    pumpEvents(e);
    ASSERT_EQ(e.screen->w, 640);
    t.pressKey(SDLK_RETURN);
    pumpEvents(e);
    EXPECT_TRUE(e.fullScreen);
    // Full screen is the desktop's own size where the library reports one (the classic
    // library's dummy driver does not), not a picture scaled up to it.
    const ScreenSize size = fullScreenSize(e);
    if (e.desktopWidth > 0 && e.desktopHeight > 0) {
        EXPECT_EQ(size.w, e.desktopWidth);
        EXPECT_EQ(size.h, e.desktopHeight);
    }
    EXPECT_EQ(e.screen->w, size.w);
    EXPECT_EQ(e.screen->h, size.h);
    EXPECT_EQ(findWindow(e, "MenuBar")->rect.w, size.w);
    t.pressKey(SDLK_RETURN);
    pumpEvents(e);
    EXPECT_FALSE(e.fullScreen);
    EXPECT_EQ(e.screen->w, 640);
    EXPECT_EQ(e.screen->h, 480);
    EXPECT_EQ(findWindow(e, "MenuBar")->rect.w, 640);
}

TEST(EventPump, ResizeClearsToGreyAndPullsThePaletteScrollBack) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* palette = findLayer(e.layers, "Tile01");
    palette->offsetY = 30;
    t.pushResize(700, 500);
    pumpEvents(e);
    EXPECT_EQ(pixelAt(e.screen, 5, 5), (Rgb{128, 128, 128}));
    EXPECT_EQ(palette->offsetY, 36 - (500 - 16) / 16);
}

// Slips caught: a shortcut that runs something other than its menu item, Shift ignored (Ctrl+Z
// redoing), a key pressed with Ctrl that still acts as the key alone, and Escape choosing the
// item under the pointer instead of closing the menu.
TEST(EventPump, CtrlRunsTheShortcutsMenuItemAndNeverTheKeyAlone) {
    const SDLMod ctrl = KMOD_LCTRL, ctrlShift = static_cast<SDLMod>(KMOD_RCTRL | KMOD_LSHIFT);
    const struct {
        SDLKey key;
        SDLMod mod;
        bool undoneFirst;
        int tile;  // of the painted cell, afterwards
        std::vector<std::string> queued;
    } cases[] = {
        {SDLK_z, ctrl, false, 1, {}},        {SDLK_y, ctrl, true, 5, {}},
        {SDLK_z, ctrlShift, true, 5, {}},    {SDLK_s, ctrl, false, 5, {"Save:"}},
        {SDLK_o, ctrl, false, 5, {"Open:"}}, {SDLK_n, ctrl, false, 5, {"New:"}},
        {SDLK_q, ctrl, false, 5, {"Exit:"}}, {SDLK_u, ctrl, false, 5, {}},
        {SDLK_w, ctrl, false, 5, {}},        {SDLK_1, ctrl, false, 5, {}},
        {SDLK_SPACE, ctrl, false, 5, {}},    {SDLK_UP, ctrlShift, false, 5, {}},
        {SDLK_u, KMOD_NONE, false, 1, {}},   {SDLK_1, KMOD_LSHIFT, false, 5, {"Layer Change:Map1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(SDL_GetKeyName(c.key)) + " mod " + std::to_string(c.mod));
        TestEditor t;
        Editor& e = t.editor();
        MapLayer* map = currentMapLayer(e);
        t.focusAt(19, 19);  // over cell (1, 0), where a marker could go
        pumpEvents(e);
        setTile(*map, 0, 0, 5);
        UndoStep step;
        step.records.push_back(UndoRecord{map->id, map->width, {{0}, {1}, {1}}, false, {}});
        e.history.push(std::move(step), 1 << 20);
        if (c.undoneFirst) undoLast(e);
        setTile(*map, 1, 0, 1);
        // The Edit menu opened, the pointer on Undo: Escape closes it without choosing Undo.
        for (MouseSample m : {MouseSample{50, 5, 1}, {50, 5, 0}, {50, 20, 0}})
            t.frame(m.x, m.y, m.buttons);
        ASSERT_TRUE(findMenu(e.menus, cmd::Edit)->open);
        t.pressKey(c.key, 0, c.mod);
        t.pressKey(SDLK_p, 0, ctrl);
        t.pressKey(SDLK_RETURN, 0, ctrl);
        t.pressKey(SDLK_ESCAPE);
        pumpEvents(e);
        EXPECT_FALSE(menusActive(e.menus));
        EXPECT_EQ(tileAt(*map, 0, 0), c.tile);
        EXPECT_EQ(queued(e), c.queued);
        EXPECT_EQ(tileAt(*map, 1, 0), 1);
        EXPECT_FALSE(e.pickBrushArmed);
        EXPECT_FALSE(e.fullScreen);
    }
}

TEST(HeldArrows, EachHeldArrowRepeatsOnItsOwnClockAndSpeedsUpAcrossABigMapIn20s) {
    HeldArrows arrows;
    arrows.setPace(500, 30);
    // A tap scrolls once, through its key-down: it earns no repeats.
    EXPECT_TRUE(arrows.press(SDLK_LEFT, 0, true));
    arrows.release(SDLK_LEFT);
    EXPECT_EQ(arrows.stepsDue(SDLK_LEFT, 5000), 0);
    // Two held arrows both repeat; the library's own repeat of a held key is not a press.
    EXPECT_TRUE(arrows.press(SDLK_RIGHT, 0, true));
    EXPECT_TRUE(arrows.press(SDLK_DOWN, 100, true));
    EXPECT_FALSE(arrows.press(SDLK_RIGHT, 530, true));
    EXPECT_EQ(arrows.stepsDue(SDLK_RIGHT, 499), 0);
    EXPECT_EQ(arrows.stepsDue(SDLK_RIGHT, 560), 3);
    EXPECT_EQ(arrows.stepsDue(SDLK_DOWN, 560), 0);
    EXPECT_EQ(arrows.stepsDue(SDLK_DOWN, 600), 1);
    // Held on at 60 frames a second, the right arrow crosses 4096 cells well inside 20 s.
    long long cells = 4;
    Uint32 now = 560;
    for (; now < 20000 && cells < 4095; now += 16) cells += arrows.stepsDue(SDLK_RIGHT, now);
    EXPECT_GE(cells, 4095);
    EXPECT_LT(now, 15000u);
    // A frame stalled for ten seconds catches up a few repeats, not the whole stall.
    EXPECT_LE(arrows.stepsDue(SDLK_DOWN, 10600), 8 * 16);
    EXPECT_EQ(arrows.stepsDue(SDLK_DOWN, 10600), 0);
    arrows.release(SDLK_RIGHT);
    EXPECT_EQ(arrows.stepsDue(SDLK_RIGHT, 30000), 0);
}
