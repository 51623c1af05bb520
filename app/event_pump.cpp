// The event pump and the key table.
#include "app/event_pump.h"

#include <SDL.h>
#include <signal.h>

#include <utility>

#include "app/command_names.h"
#include "app/editor.h"
#include "app/held_arrows.h"
#include "app/main_loop.h"
#include "app/shortcuts.h"
#include "edit/markers.h"
#include "edit/scroll.h"
#include "edit/undo.h"
#include "edit/zoom_commands.h"
#include "gui/interface.h"
#include "io/unsaved_changes.h"
#include "map/map_view.h"

namespace {
volatile sig_atomic_t terminationSignalled = 0;
struct sigaction sdlTermination {};
struct sigaction sdlInterrupt {};

// Notes the signal, then lets SDL turn it into its quit event as before.
void onTermination(int signal) {
    terminationSignalled = 1;
    const struct sigaction& chained = signal == SIGTERM ? sdlTermination : sdlInterrupt;
    if (chained.sa_handler != SIG_DFL && chained.sa_handler != SIG_IGN) chained.sa_handler(signal);
}

// Key repeat that outlives a tap. With Unicode translation on, sdl12-compat (the SDL 1.2 of
// Debian 12) lets the repeat of a key that types no character, an arrow key, run on after the
// key-up when the key-down and the key-up reached it in the same event pump: it stops only when
// another key goes down, and one quick tap scrolls to the map's edge. So the pump cancels any
// pending repeat when the key pressed last comes up, and drops key-downs of a key it has seen
// come up unless SDL says that key is down again.

bool keyInRange(SDLKey key) {
    return key > SDLK_UNKNOWN && key < SDLK_LAST;
}

// Re-arming key repeat with its own settings drops the repeat either library has pending.
void cancelPendingRepeat() {
    int delay = 0;
    int interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    SDL_EnableKeyRepeat(delay, interval);
}

bool keyUpWaiting(SDLKey key) {
    SDL_Event waiting[64];
    const int count = SDL_PeepEvents(waiting, 64, SDL_PEEKEVENT, SDL_KEYUPMASK);
    for (int i = 0; i < count; ++i) {
        if (waiting[i].key.keysym.sym == key) return true;
    }
    return false;
}

// False for a repeat of a key that is up. A real press of a released key finds it down, or,
// when the whole tap fell into one event pump, finds its key-up waiting in the queue.
bool pressIsReal(const Editor& editor, SDLKey key) {
    if (!keyInRange(key) || !editor.releasedKeys[key]) return true;
    int count = 0;
    const Uint8* down = SDL_GetKeyState(&count);
    if (key < count && down[key]) return true;
    return keyUpWaiting(key);
}

void noteKeyDown(Editor& editor, SDLKey key) {
    if (keyInRange(key)) editor.releasedKeys.reset(key);
    editor.lastPressedKey = key;
}

void noteKeyUp(Editor& editor, SDLKey key) {
    if (keyInRange(key)) editor.releasedKeys.set(key);
    if (key == editor.lastPressedKey) cancelPendingRepeat();
    editor.heldArrows.release(key);
}

void handleFocus(Editor& editor, const SDL_ActiveEvent& active) {
    if ((active.state & SDL_APPACTIVE) || !(active.state & SDL_APPMOUSEFOCUS)) return;
    if (!active.gain) {
        editor.focusName = kFocusLost;
        return;
    }
    MouseSample sample = editor.readMouse();
    editor.mouseX = sample.x;
    editor.mouseY = sample.y;
    if (Window* window = windowAt(editor, editor.mouseX, editor.mouseY)) {
        SDL_SetCursor(editor.drawCursor);
        editor.focusName = window->name;
    } else {
        editor.focusName = kDeadArea;
    }
}

// A wheel tilted sideways comes as these buttons.
constexpr Uint8 kWheelLeftButton = 6;
constexpr Uint8 kWheelRightButton = 7;

// The wheel's turns come as buttons too, but are never held.
uint8_t holdableButton(Uint8 button) {
    return button >= SDL_BUTTON_LEFT && button <= SDL_BUTTON_RIGHT ? SDL_BUTTON(button) : 0;
}

void handleWheel(Editor& editor, const SDL_MouseButtonEvent& button) {
    if (editor.focusName == kFocusLost) return;
    const bool wheel = button.button == SDL_BUTTON_WHEELUP || button.button == SDL_BUTTON_WHEELDOWN;
    const SDLMod mods = SDL_GetModState();
    // Ctrl+wheel zooms the design window around the cell under the pointer.
    if (wheel && (mods & KMOD_CTRL)) {
        const Window* design = findWindow(editor, kDesignWindowName);
        if (design && rectContains(design->rect, button.x, button.y)) {
            const int step = button.button == SDL_BUTTON_WHEELUP ? 1 : -1;
            zoomAt(editor, design->zoomLevel + step, button.x, button.y);
        }
        return;
    }
    // Shift+wheel and the wheel's sideways buttons scroll across.
    if (wheel && (mods & KMOD_SHIFT)) {
        postCommand(editor.commandQueue,
                    button.button == SDL_BUTTON_WHEELUP ? cmd::ScrollLeft : cmd::ScrollRight, "");
        return;
    }
    if (button.button == kWheelLeftButton) postCommand(editor.commandQueue, cmd::ScrollLeft, "");
    if (button.button == kWheelRightButton) postCommand(editor.commandQueue, cmd::ScrollRight, "");
    if (button.button == SDL_BUTTON_WHEELUP) postCommand(editor.commandQueue, cmd::ScrollUp, "");
    if (button.button == SDL_BUTTON_WHEELDOWN) {
        postCommand(editor.commandQueue, cmd::ScrollDown, "");
    }
}

// True when a visible dialog's field took the key.
bool offerToFields(Editor& editor, const SDL_keysym& key) {
    for (const auto& dialog : editor.dialogs) {
        if (!dialog->visible) continue;
        for (const auto& field : dialog->inputs) {
            if (field->handleKey(editor, key)) return true;
        }
    }
    return false;
}

void switchFullScreen(Editor& editor) {
    toggleFullScreen(editor);
    layoutWindows(editor);
    editor.framesToRedraw = kFramesAfterModeChange;
}

// What a key does: post a request for the frame to carry out, or act at once.
struct KeyBinding {
    SDLKey key;
    const HashedName* request;
    void (*action)(Editor&);
};

const KeyBinding kKeyBindings[] = {
    {SDLK_RETURN, nullptr, switchFullScreen},
    {SDLK_SPACE, &cmd::ToggleHideShow, nullptr},
    {SDLK_e, nullptr, moveMarker},
    {SDLK_p, nullptr, [](Editor& editor) { editor.pickBrushArmed = true; }},
    {SDLK_u, nullptr, undoLast},
    {SDLK_w, nullptr, placeMarker},
    {SDLK_UP, &cmd::ScrollUp, nullptr},
    {SDLK_DOWN, &cmd::ScrollDown, nullptr},
    {SDLK_RIGHT, &cmd::ScrollRight, nullptr},
    {SDLK_LEFT, &cmd::ScrollLeft, nullptr},
    {SDLK_PLUS, nullptr, zoomIn},
    {SDLK_EQUALS, nullptr, zoomIn},
    {SDLK_KP_PLUS, nullptr, zoomIn},
    {SDLK_MINUS, nullptr, zoomOut},
    {SDLK_KP_MINUS, nullptr, zoomOut},
    {SDLK_PAGEUP, nullptr, [](Editor& editor) { scrollDesignPage(editor, -1); }},
    {SDLK_PAGEDOWN, nullptr, [](Editor& editor) { scrollDesignPage(editor, 1); }},
    {SDLK_HOME, nullptr, [](Editor& editor) { scrollDesignToEdge(editor, false, false); }},
    {SDLK_END, nullptr, [](Editor& editor) { scrollDesignToEdge(editor, true, false); }},
};

void handleKey(Editor& editor, const SDL_keysym& key) {
    if (editor.focusName == kFocusLost) return;
    // Ctrl+Home and Ctrl+End go to the map's corners; other Ctrl keys are shortcuts or nothing.
    if ((key.mod & KMOD_CTRL) && (key.sym == SDLK_HOME || key.sym == SDLK_END)) {
        scrollDesignToEdge(editor, key.sym == SDLK_END, true);
        return;
    }
    if (handleShortcut(editor, key)) return;
    if (!editor.heldArrows.press(key.sym, SDL_GetTicks(), keyIsDown(key.sym))) return;
    for (const KeyBinding& binding : kKeyBindings) {
        if (binding.key != key.sym) continue;
        if (binding.request) postCommand(editor.commandQueue, *binding.request, "");
        if (binding.action) binding.action(editor);
        return;
    }
    // The digits choose the layer of that number.
    if (key.sym >= SDLK_1 && key.sym <= SDLK_9) {
        const std::string setting = "Layer" + std::to_string(key.sym - SDLK_0);
        postCommand(editor.commandQueue, cmd::LayerChange, stringSetting(editor, setting));
    }
}

void handleResize(Editor& editor, const SDL_ResizeEvent& resize) {
    editor.framesToRedraw = kFramesAfterModeChange;
    const int bits = editor.screen ? editor.screen->format->BitsPerPixel : 32;
    if (SDL_Surface* screen = SDL_SetVideoMode(resize.w, resize.h, bits, SDL_RESIZABLE)) {
        editor.screen = screen;
    }
    if (!editor.screen) return;
    SDL_FillRect(editor.screen, nullptr, SDL_MapRGB(editor.screen->format, 128, 128, 128));
    layoutWindows(editor);
    if (Window* tiles = findWindow(editor, kTileWindowName)) clampScroll(editor, *tiles);
}
}  // namespace

void enableKeyRepeat(Editor& editor, int delayMs, int intervalMs) {
    editor.releasedKeys.reset();
    editor.lastPressedKey = SDLK_UNKNOWN;
    editor.heldArrows.releaseAll();
    editor.heldArrows.setPace(delayMs, intervalMs);
    SDL_EnableKeyRepeat(delayMs, intervalMs);
}

void watchForTermination() {
    struct sigaction action {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    // SDL may be started more than once in a process (the tests do): never chain to ourselves.
    for (auto [signal, chained] : {std::pair{SIGTERM, &sdlTermination}, {SIGINT, &sdlInterrupt}}) {
        struct sigaction previous {};
        sigaction(signal, &action, &previous);
        if (previous.sa_handler != onTermination) *chained = previous;
    }
}

bool terminationRequested() {
    return terminationSignalled != 0;
}

void pumpEvents(Editor& editor) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_ACTIVEEVENT:
                // Without the keyboard no key is held, so nothing may repeat.
                if ((event.active.state & SDL_APPINPUTFOCUS) && !event.active.gain) {
                    cancelPendingRepeat();
                    editor.heldArrows.releaseAll();
                }
                handleFocus(editor, event.active);
                break;
            case SDL_KEYDOWN:
                if (!pressIsReal(editor, event.key.keysym.sym)) break;
                noteKeyDown(editor, event.key.keysym.sym);
                // Escape backs out of a dialog, even from a field that would take every key,
                // and closes an open menu.
                if (event.key.keysym.sym == SDLK_ESCAPE && closeOpenDialogs(editor)) break;
                if (event.key.keysym.sym == SDLK_ESCAPE && closeMenus(editor.menus)) break;
                if (offerToFields(editor, event.key.keysym)) return;
                handleKey(editor, event.key.keysym);
                break;
            case SDL_KEYUP:
                noteKeyUp(editor, event.key.keysym.sym);
                break;
            case SDL_MOUSEBUTTONDOWN:
                editor.buttonsPressed |= holdableButton(event.button.button);
                handleWheel(editor, event.button);
                break;
            case SDL_MOUSEBUTTONUP:
                editor.buttonsReleased |= holdableButton(event.button.button);
                break;
            case SDL_QUIT:
                // A session manager's or a test's termination signal quits at once; closing
                // the window asks about unsaved changes first.
                if (terminationRequested() || mayLeaveMap(editor)) editor.quitRequested = true;
                break;
            case SDL_VIDEORESIZE:
                handleResize(editor, event.resize);
                break;
            case SDL_VIDEOEXPOSE:
                editor.framesToRedraw = kFramesAfterModeChange;
                break;
            default:
                break;
        }
    }
}
