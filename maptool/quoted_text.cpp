// Quoting file text in messages.
#include "maptool/quoted_text.h"

#include <cstdio>

#include "maptool/tiled_layout.h"

std::string quoted(const std::string& text) {
    // The limit counts what the message shows: a byte shown as \xNN takes four of it.
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t length = utf8Length(text, at);
        const auto byte = static_cast<unsigned char>(text[at]);
        std::string shown;
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            shown = code;
        } else {
            shown.assign(text, at, length);
        }
        if (out.size() + shown.size() > kMostQuoted) break;
        out += shown;
        at += length == 0 ? 1 : length;
    }
    return "\"" + out + (at < text.size() ? "...\"" : "\"");
}

std::string named(const std::string& word) {
    const bool plain =
        !word.empty() && word.size() <= kMostQuoted &&
        word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") ==
            std::string::npos;
    return plain ? word : quoted(word);
}
