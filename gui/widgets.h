// The static text lines and push buttons that dialogs hold, and how widgets are drawn.
#pragma once

#include <SDL.h>

#include <string>

#include "app/hashed_name.h"

struct Editor;
struct StringInput;

struct TextLine {
    SDL_Rect position{0, 0, 0, 0};  // relative to the dialog's corner; w and h unused
    std::string text;
};

struct DialogButton {
    HashedName command;         // posted when the button is clicked
    SDL_Rect rect{0, 0, 0, 0};  // relative to the dialog's corner
    std::string label;
    uint8_t clickable = 0;
    uint8_t visible = 0;
    uint8_t hovered = 0;
};

void drawButton(Editor& editor, const DialogButton& button, int originX, int originY);
void drawTextLine(Editor& editor, const TextLine& line, int originX, int originY);
void drawField(Editor& editor, const StringInput& field, int originX, int originY);

// Darkens the whole screen while a dialog is open.
void shadeScreen(Editor& editor);
// Darkens one rectangle lightly (marked cells).
void shadeRect(Editor& editor, const SDL_Rect& rect);

// `text` rendered without anti-aliasing in the interface font; the caller frees it. Null for
// empty text or when there is no font.
SDL_Surface* renderText(const Editor& editor, const std::string& text, SDL_Color colour);

// Blits a rendered text to the screen at (x, y) and frees it.
void blitText(Editor& editor, SDL_Surface* text, int x, int y);

// Fills a rectangle of the screen with an R, G, B colour.
void fillRect(Editor& editor, const SDL_Rect& rect, Uint8 r, Uint8 g, Uint8 b);
