// Drawing buttons, text lines, fields, text and the two shading overlays.
#include "gui/widgets.h"

#include "app/editor.h"
#include "gui/text_input.h"

namespace {
const SDL_Color kTextColour{0, 0, 0, 0};

// A black surface of the screen's format at per-surface alpha `alpha`.
SDL_Surface* shadeSurface(const SDL_Surface* screen, int w, int h, Uint8 alpha) {
    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* shade = SDL_CreateRGBSurface(SDL_HWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                              f->Gmask, f->Bmask, f->Amask);
    if (!shade) return nullptr;
    SDL_FillRect(shade, nullptr, SDL_MapRGB(shade->format, 0, 0, 0));
    SDL_SetAlpha(shade, SDL_SRCALPHA, alpha);
    return shade;
}
// A widget's rectangle, relative to its dialog, moved to the screen.
SDL_Rect movedBy(SDL_Rect rect, int originX, int originY) {
    rect.x = static_cast<Sint16>(rect.x + originX);
    rect.y = static_cast<Sint16>(rect.y + originY);
    return rect;
}
}  // namespace

void fillRect(Editor& editor, const SDL_Rect& rect, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Rect target = rect;
    SDL_FillRect(editor.screen, &target, SDL_MapRGB(editor.screen->format, r, g, b));
}

SDL_Surface* renderText(const Editor& editor, const std::string& text, SDL_Color colour) {
    if (text.empty() || !editor.font) return nullptr;
    return TTF_RenderText_Solid(editor.font, text.c_str(), colour);
}

void blitText(Editor& editor, SDL_Surface* text, int x, int y) {
    if (!text) return;
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(text, nullptr, editor.screen, &at);
    SDL_FreeSurface(text);
}

void drawButton(Editor& editor, const DialogButton& button, int originX, int originY) {
    if (!button.visible) return;
    const SDL_Rect rect = movedBy(button.rect, originX, originY);
    if (button.hovered) {
        fillRect(editor, rect, 244, 166, 80);
    } else {
        fillRect(editor, rect, 222, 222, 222);
    }
    SDL_Surface* text = renderText(editor, button.label, kTextColour);
    if (!text) return;
    blitText(editor, text, rect.x + (static_cast<int>(rect.w) - text->w) / 2,
             rect.y + (static_cast<int>(rect.h) - text->h) / 2);
}

void drawTextLine(Editor& editor, const TextLine& line, int originX, int originY) {
    blitText(editor, renderText(editor, line.text, kTextColour), originX + line.position.x,
             originY + line.position.y);
}

void drawField(Editor& editor, const StringInput& field, int originX, int originY) {
    const SDL_Rect rect = movedBy(field.rect, originX, originY);
    if (field.focused) {
        fillRect(editor, rect, 188, 188, 188);
    } else {
        fillRect(editor, rect, 222, 222, 222);
    }
    blitText(editor, renderText(editor, field.text, kTextColour), rect.x, rect.y);
}

void shadeScreen(Editor& editor) {
    SDL_Surface* shade = shadeSurface(editor.screen, 64, 64, 191);
    if (!shade) return;
    const int columns = (editor.screen->w + 63) / 64;
    const int rows = (editor.screen->h + 63) / 64;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            SDL_Rect at{static_cast<Sint16>(column * 64), static_cast<Sint16>(row * 64), 0, 0};
            SDL_BlitSurface(shade, nullptr, editor.screen, &at);
        }
    }
    SDL_FreeSurface(shade);
}

void shadeRect(Editor& editor, const SDL_Rect& rect) {
    if (rect.w == 0 || rect.h == 0) return;
    SDL_Surface* shade = shadeSurface(editor.screen, rect.w, rect.h, 63);
    if (!shade) return;
    SDL_Rect at = rect;
    SDL_BlitSurface(shade, nullptr, editor.screen, &at);
    SDL_FreeSurface(shade);
}
