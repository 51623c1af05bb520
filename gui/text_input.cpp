// Key handling of the text-entry fields.
#include "gui/text_input.h"

#include <cstdlib>

#include "app/editor.h"

bool StringInput::accepts(char c) const {
    return c >= 32 && c < 127;
}

std::string StringInput::normalise(std::string text) {
    return text;
}

bool StringInput::handleKey(const Editor& editor, const SDL_keysym& key) {
    if (!focused) return false;
    // Only 7-bit characters are typed; anything else counts as character 0.
    char c =
        (key.unicode == 0 || (key.unicode & 0xFF80)) ? 0 : static_cast<char>(key.unicode & 0x7F);
    if (c == 8) {
        replaceOnType = false;
        if (!text.empty()) text.pop_back();
    } else if (accepts(c)) {
        if (replaceOnType) text.clear();
        replaceOnType = false;
        text.push_back(c);
        int width = 0;
        int height = 0;
        if (editor.font && TTF_SizeText(editor.font, text.c_str(), &width, &height) == 0 &&
            width > rect.w) {
            text.pop_back();
        }
    }
    text = normalise(text);
    return true;
}

NumberInput::NumberInput(const SDL_Rect& fieldRect, const std::string& initialText) {
    rect = fieldRect;
    text = initialText;
    value = std::atoi(initialText.c_str());
}

bool NumberInput::accepts(char c) const {
    return c >= '0' && c <= '9';
}

std::string NumberInput::normalise(std::string candidate) {
    if (candidate.size() > 5) candidate.pop_back();
    // At most five digits remain, so atoi cannot overflow here.
    value = std::atoi(candidate.c_str());
    if (value >= 65535) value = 65535;
    return std::to_string(value);
}
