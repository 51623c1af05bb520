// A small strict JSON reader: the whole grammar, nesting bounded, and chosen members kept as
// their place in the text rather than read (tile data can be hundreds of megabytes).
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object, Kept };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;                                        // String
    std::vector<JsonValue> items;                            // Array
    std::vector<std::pair<std::string, JsonValue>> members;  // Object, in file order
    const char* begin = nullptr;                             // Kept: the value's text
    const char* end = nullptr;

    // The member of that name, or null.
    const JsonValue* member(const std::string& name) const;
};

// The deepest nesting of arrays and objects read.
constexpr int kMaxJsonDepth = 64;

// Reads one JSON text filling the whole input. Members named in `kept` are checked but kept as
// Kind::Kept. False, with `error` giving the line and what is wrong, otherwise.
bool readJson(const char* text, size_t size, const std::set<std::string>& kept, JsonValue& value,
              std::string& error);
