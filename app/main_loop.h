// The frame loop: one call per frame, and the frame's drawing.
#pragma once

#include <optional>
#include <string>

#include "app/editor.h"

// Runs frames until quitRequested is set, waiting between frames as waitForNextFrame says.
void runMainLoop(Editor& editor);

// The pace of the frames: about 60 a second while something goes on, and none at all while
// the editor is idle (no button held, no request queued) until an event arrives.
constexpr Uint32 kFrameMs = 16;
constexpr Uint32 kIdlePollMs = 10;
// Frames drawn after the window appears or changes its video mode (half a second).
constexpr int kFramesAfterModeChange = 30;
bool frameWouldBeIdle(const Editor& editor);
void waitForNextFrame(Editor& editor, Uint32 frameStart);

// What start-up does to the configured map before the first frame: posts the start-up
// caption request and clears the first map layer.
void prepareMainLoop(Editor& editor);

// One frame: events, the mouse, menus, dialogs, one queued command, the mouse step, drawing and
// presenting. A test may hand in the mouse reading instead of SDL's.
void runFrame(Editor& editor, std::optional<MouseSample> mouse = std::nullopt);

// Draws a frame into the screen without presenting it; `modal` while a dialog is open.
void renderFrame(Editor& editor, bool modal);

// "Left" when the left button is in the mask, else "Right" for the right button, else "".
std::string buttonSide(uint8_t mask);
std::string brushLayerName(const std::string& side);

// The block of cells spanned by two corners, in either order.
CellBlock dragRect(CellPosition a, CellPosition b);

// True when the SDL button mask holds the left or the right button.
inline bool buttonHeld(uint8_t mask) {
    return (mask & (SDL_BUTTON_LMASK | SDL_BUTTON_RMASK)) != 0;
}
