// A small strict JSON reader that walks the text rather than building it: the caller takes the
// values it wants as it meets them, and every other value is checked and passed over without
// being kept. The whole grammar, nesting bounded.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The deepest nesting of arrays and objects read.
constexpr int kMaxJsonDepth = 64;
// Member names are compared with the names the caller looks for, so no more of them is kept.
constexpr size_t kMaxJsonName = 32;

class JsonReader {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object, Nothing };

    // A UTF-8 byte-order mark at the start of the text is passed over.
    JsonReader(const char* text, size_t size);

    // The kind of the value at the reading position; Nothing at the end of the text or before
    // something that starts no value.
    Kind next();

    // An object: `member(name)` is called at each member's value and must take or skip it. A
    // name longer than kMaxJsonName bytes reaches it cut to that length.
    bool object(const std::function<bool(const std::string& name)>& member);
    // An array: `item()` is called at each item and must take or skip it.
    bool array(const std::function<bool()>& item);
    // A string; at most `most` bytes of it are kept in `out`, and `whole` (when given) says
    // whether that was all of it.
    bool string(std::string& out, size_t most, bool* whole = nullptr);
    bool number(double& out);
    bool boolean(bool& out);
    // Any value, checked and passed over; with `begin` and `end` its text is kept.
    bool skip();
    bool skip(const char*& begin, const char*& end);

    // The end of the document after its value: nothing but blanks may follow.
    bool finish();
    // What was wrong, with its line, once a call above returned false for bad JSON.
    std::string error() const;

private:
    bool fail(const char* what);
    void space();
    bool literal(const char* word);
    bool hex4(unsigned& code);
    bool stringBody(std::string* out, size_t most, bool* whole);
    bool digits();
    bool numberText();
    bool skipValue(int depth);
    void plainNumbers();
    bool enter();

    const char* start_;
    const char* at_;
    const char* end_;
    int depth_ = 0;
    const char* failedAt_ = nullptr;
    const char* failure_ = nullptr;
};
