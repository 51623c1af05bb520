// The frame's rules about who gets the input: menus before the mouse step, a focused text
// field before the key table; and the screen and caption the frame works with.
#include <gtest/gtest.h>

#include "app/command_names.h"
#include "app/main_loop.h"
#include "edit/layer_commands.h"
#include "gui/interface.h"
#include "tests/support/editing.h"

namespace {
// SDL events still waiting in the queue.
int pendingEvents() {
    SDL_Event events[32];
    return SDL_PeepEvents(events, 32, SDL_PEEKEVENT, SDL_ALLEVENTS);
}
}  // namespace

// Catches the frame running the mouse step although a menu item was chosen in it: the release
// over Edit, Fill (which lies over the map) would end the pick there. A release frame never
// holds a button, so it cannot paint; a pick is what the mouse step would change in it.
TEST(FrameRules, ItemChosenOverTheMapLeavesThePickInProgress) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* map = currentMapLayer(e);
    map->tiles[3 * 128 + 2] = 6;
    makeBrush(e, "Left", 1, 1, {9});
    t.pressKey(SDLK_p);
    t.frame(mapX(2), mapY(3), SDL_BUTTON_LMASK);  // the pick starts on cell (2, 3)
    t.frame(50, 5, SDL_BUTTON_LMASK);             // still held, onto the Edit title
    t.frame(50, 5, 0);                            // opens Edit
    t.frame(50, 40, SDL_BUTTON_LMASK);
    t.frame(50, 40, 0);  // Fill, whose item lies over cell (3, 1) of the map
    ASSERT_EQ(e.toolMode, ToolMode::Fill);
    EXPECT_TRUE(e.pick.pickInProgress);
    EXPECT_EQ(e.pickBrushArmed, 1);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")), (std::vector<int>{9}));
    // The next frame takes the mouse again: the pick ends with the block it had.
    t.frame(mapX(8), mapY(8), 0);
    EXPECT_FALSE(e.pick.pickInProgress);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")), (std::vector<int>{6}));
}

// Catches a key taken by a field still reaching the key table, and the pump going on with the
// queue (in the same frame) after a field took a key.
TEST(FrameRules, FocusedFieldOfTheCreateMapDialogTakesEveryKeyOnePerFrame) {
    TestEditor t;
    Editor& e = t.editor();
    t.questions.answers = {SaveAnswer::Discard};
    addLayer(e);  // Map2, so that the digit 2 would change the layer
    makeBrush(e, "Left", 1, 1, {5});
    t.focusAt(mapX(1), mapY(1));
    t.frame(mapX(1), mapY(1), SDL_BUTTON_LMASK);
    t.frame(mapX(1), mapY(1), 0);
    ASSERT_EQ(e.history.undoSteps().size(), 1u);

    postCommand(e.commandQueue, cmd::New, "");
    t.frame(0, 300);
    Dialog* dialog = findDialog(e, "Create Map");
    ASSERT_TRUE(dialog->visible);
    const int x = dialog->rect.x + 60, y = dialog->rect.y + 35;  // inside the width field
    t.frame(x, y, SDL_BUTTON_LMASK);
    t.frame(x, y, 0);
    ASSERT_TRUE(dialog->inputs[0]->focused);
    MapLayer* map = currentMapLayer(e);
    const int column = x / 16, row = (y - 16) / 16;
    map->tiles[row * 128 + column] = 1;  // 'w' would put a marker here
    const int nextMarker = e.nextMarkerTile;

    struct Key {
        SDLKey sym;
        uint16_t unicode;
        const char* text;  // the field after the frame that takes this key
    };
    const Key keys[] = {
        {SDLK_BACKSPACE, 8, "12"}, {SDLK_u, 'u', "12"},     {SDLK_w, 'w', "12"},
        {SDLK_p, 'p', "12"},       {SDLK_SPACE, ' ', "12"}, {SDLK_2, '2', "122"},
        {SDLK_DOWN, 0, "122"},     {SDLK_RIGHT, 0, "122"},  {SDLK_RETURN, 13, "122"}};
    const int count = static_cast<int>(sizeof keys / sizeof keys[0]);
    for (const Key& key : keys) t.pressKey(key.sym, key.unicode);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(keys[i].sym);
        t.frame(x, y);
        EXPECT_EQ(dialog->inputs[0]->text, keys[i].text);
        EXPECT_EQ(pendingEvents(), count - 1 - i);
    }
    EXPECT_TRUE(dialog->visible);
    EXPECT_EQ(e.history.undoSteps().size(), 1u);
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(currentMapLayer(e), map);
    EXPECT_EQ(map->visible, 1);
    EXPECT_EQ(map->offsetX, 0);
    EXPECT_EQ(map->offsetY, 0);
    EXPECT_EQ(map->tiles[row * 128 + column], 1);
    EXPECT_EQ(e.nextMarkerTile, nextMarker);
    EXPECT_EQ(e.pickBrushArmed, 0);
    EXPECT_FALSE(e.fullScreen);
    EXPECT_TRUE(e.commandQueue.empty());
}

// Catches the start-up request (or the clearing before the first frame) using the current map
// layer instead of the one named by the setting "Layer1".
TEST(FrameRules, StartUpCaptionAndClearingUseLayerOneWhateverLayerIsCurrent) {
    TestEditor t;
    Editor& e = t.editor();
    MapLayer* first = currentMapLayer(e);
    first->tiles[5] = 9;
    MapLayer* second = createLayer(e.layers, 40, 30, "Map2", 0, 0);
    second->number = 2;
    second->tiles[5] = 9;
    e.layerCount = 2;
    e.currentLayer = 2;
    ASSERT_EQ(currentMapLayer(e), second);
    prepareMainLoop(e);
    t.focusAt(100, 100);
    t.frame(100, 100);
    EXPECT_EQ(windowCaption(), "Velloran 1.09 /  / map:128x128");
    EXPECT_EQ(first->tiles[5], 0);
    EXPECT_EQ(second->tiles[5], 9);
}

// After every mode change the frame draws into SDL's video surface at the new size. The SDL
// this editor builds with keeps one surface object across modes; with a library that hands back
// a new one, a screen not taken from the call would point at a surface SDL no longer shows.
TEST(FrameRules, ScreenIsTheVideoSurfaceAfterEveryModeChange) {
    TestEditor t;
    Editor& e = t.editor();
    struct Change {
        int resizeW, resizeH;  // 0 x 0: press Return instead
        int w, h;              // the screen afterwards; 0 x 0: full screen
    };
    const Change changes[] = {
        {640, 480, 640, 480}, {0, 0, 0, 0}, {0, 0, 640, 480}, {500, 400, 500, 400}};
    for (Change change : changes) {
        if (change.w == 0) {
            change.w = fullScreenSize(e).w;
            change.h = fullScreenSize(e).h;
        }
        SCOPED_TRACE(std::to_string(change.w) + "x" + std::to_string(change.h));
        // What the surface held before must not pass for the new frame.
        SDL_FillRect(e.screen, nullptr, SDL_MapRGB(e.screen->format, 0, 0, 0));
        if (change.resizeW) {
            t.pushResize(change.resizeW, change.resizeH);
        } else {
            t.pressKey(SDLK_RETURN);
        }
        t.frame(0, 300);
        ASSERT_EQ(e.screen, SDL_GetVideoSurface());
        EXPECT_EQ(e.screen->w, change.w);
        EXPECT_EQ(e.screen->h, change.h);
        // The menu bar reaches the new right edge of the frame just drawn.
        EXPECT_EQ(pixelAt(e.screen, change.w - 1, 0), (Rgb{188, 188, 188}));
    }
}

// Frames pause only when nothing can change the screen: no button is held (a held button
// paints every frame) and no request waits in the queue. An idle wait ends with the next event.
TEST(FramePace, IdleOnlyWithoutAHeldButtonOrAQueuedRequestAndWokenByAnEvent) {
    TestEditor t;
    Editor& e = t.editor();
    e.commandQueue.clear();
    // Frames still owed after a video mode change count as something going on, too.
    const struct {
        uint8_t buttons;
        bool queued;
        int framesToRedraw;
        bool idle;
    } cases[] = {{0, false, 0, true},
                 {SDL_BUTTON_LMASK, false, 0, false},
                 {SDL_BUTTON_RMASK, false, 0, false},
                 {0, true, 0, false},
                 {0, false, 1, false}};
    for (const auto& c : cases) {
        e.mouseButtons = c.buttons;
        e.commandQueue.clear();
        e.framesToRedraw = c.framesToRedraw;
        if (c.queued) postCommand(e.commandQueue, cmd::ScrollUp, "");
        EXPECT_EQ(frameWouldBeIdle(e), c.idle) << int(c.buttons) << c.queued << c.framesToRedraw;
    }
    e.framesToRedraw = 0;
    t.pushResize(640, 480);
    t.frame(100, 100);
    EXPECT_EQ(e.framesToRedraw, kFramesAfterModeChange);  // a resize owes frames
    e.mouseButtons = 0;
    e.commandQueue.clear();
    t.pressKey(SDLK_u);
    waitForNextFrame(e, SDL_GetTicks());  // returns at once: an event is waiting
    SDL_Event event;
    EXPECT_EQ(SDL_PollEvent(&event), 1);
    EXPECT_EQ(event.type, SDL_KEYDOWN);
}
