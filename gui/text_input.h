// The one-line text-entry fields of the dialogs.
#pragma once

#include <SDL.h>

#include <string>

struct Editor;

struct StringInput {
    SDL_Rect rect{0, 0, 0, 0};  // relative to the dialog's corner
    bool focused = false;
    // Set by the click that gives the field the focus: the text shown then is the old value, so
    // the first character typed replaces it instead of being added to it.
    bool replaceOnType = false;
    std::string text;

    virtual ~StringInput() = default;
    // Whether `c` may be appended to the text.
    virtual bool accepts(char c) const;
    // The text to keep after a key.
    virtual std::string normalise(std::string text);

    // Offers a key press; true (the key is consumed) when the field has focus. The width of the
    // text is measured in the editor's interface font.
    bool handleKey(const Editor& editor, const SDL_keysym& key);
};

// A field holding an unsigned decimal number of at most five digits, 0 to 65535.
struct NumberInput : StringInput {
    int value = 0;

    NumberInput(const SDL_Rect& rect, const std::string& initialText);
    bool accepts(char c) const override;
    std::string normalise(std::string text) override;
};
