// Quoting file text in messages.
#include "maptool/quoted_text.h"

#include <cstdio>

#include "maptool/tiled_layout.h"

std::string quoted(const std::string& text) {
    std::string out = "\"";
    size_t at = 0;
    while (at < text.size() && at < kMostQuoted) {
        const size_t length = utf8Length(text, at);
        const auto byte = static_cast<unsigned char>(text[at]);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            out += code;
            ++at;
        } else if (at + length > kMostQuoted) {
            break;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out + (at < text.size() ? "...\"" : "\"");
}

std::string named(const std::string& word) {
    const bool plain =
        !word.empty() && word.size() <= kMostQuoted &&
        word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") ==
            std::string::npos;
    return plain ? word : quoted(word);
}
