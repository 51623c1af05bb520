// The strict JSON reader.
#include "maptool/json_reader.h"

#include <cstdlib>
#include <cstring>

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void putUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | code >> 6));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | code >> 12));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | code >> 18));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}
}  // namespace

JsonReader::JsonReader(const char* text, size_t size) : start_(text), at_(text), end_(text + size) {
    if (size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) at_ += 3;
}

bool JsonReader::fail(const char* what) {
    if (!failure_) {
        failure_ = what;
        failedAt_ = at_;
    }
    return false;
}

std::string JsonReader::error() const {
    long long line = 1;
    const char* upTo = failedAt_ ? failedAt_ : at_;
    for (const char* p = start_; p < upTo && p < end_; ++p) line += *p == '\n';
    return "line " + std::to_string(line) + ": " + (failure_ ? failure_ : "not JSON");
}

void JsonReader::space() {
    while (at_ < end_ && isBlank(*at_)) ++at_;
}

JsonReader::Kind JsonReader::next() {
    space();
    if (at_ >= end_) return Kind::Nothing;
    switch (*at_) {
        case '{':
            return Kind::Object;
        case '[':
            return Kind::Array;
        case '"':
            return Kind::String;
        case 't':
        case 'f':
            return Kind::Bool;
        case 'n':
            return Kind::Null;
        default:
            return *at_ == '-' || (*at_ >= '0' && *at_ <= '9') ? Kind::Number : Kind::Nothing;
    }
}

bool JsonReader::literal(const char* word) {
    const size_t n = std::strlen(word);
    if (static_cast<size_t>(end_ - at_) < n || std::memcmp(at_, word, n) != 0) {
        return fail("not a JSON value");
    }
    at_ += n;
    return true;
}

bool JsonReader::hex4(unsigned& code) {
    if (end_ - at_ < 4) return fail("a \\u escape cut short");
    code = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = *at_++;
        code <<= 4;
        if (c >= '0' && c <= '9') {
            code |= static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            code |= static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            code |= static_cast<unsigned>(c - 'A' + 10);
        } else {
            return fail("a \\u escape with a non-hex digit");
        }
    }
    return true;
}

// A string after its opening quote; with `out` null it is only checked.
bool JsonReader::stringBody(std::string* out, size_t most, bool* whole) {
    if (whole) *whole = true;
    const auto keep = [&](const char* bytes, size_t n) {
        if (!out) return;
        const size_t room = most - out->size();
        if (n > room && whole) *whole = false;
        out->append(bytes, n < room ? n : room);
    };
    for (;;) {
        // Plain characters up to the next quote, backslash or control character at once.
        const char* plain = at_;
        while (at_ < end_ && *at_ != '"' && *at_ != '\\' &&
               static_cast<unsigned char>(*at_) >= 0x20) {
            ++at_;
        }
        keep(plain, static_cast<size_t>(at_ - plain));
        if (at_ >= end_) return fail("a string without its closing quote");
        const char c = *at_++;
        if (c == '"') return true;
        if (c != '\\') return fail("a control character in a string");
        if (at_ >= end_) return fail("a string without its closing quote");
        const char e = *at_++;
        const char* simple = std::strchr("\"\\/bfnrt", e);
        if (e != 0 && simple) {
            static const char plainOf[] = "\"\\/\b\f\n\r\t";
            keep(&plainOf[simple - "\"\\/bfnrt"], 1);
            continue;
        }
        if (e != 'u') return fail("an unknown escape in a string");
        unsigned code = 0;
        if (!hex4(code)) return false;
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low = 0;
            if (end_ - at_ < 2 || at_[0] != '\\' || at_[1] != 'u') {
                return fail("half a surrogate pair");
            }
            at_ += 2;
            if (!hex4(low) || low < 0xDC00 || low > 0xDFFF) return fail("half a surrogate pair");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return fail("half a surrogate pair");
        }
        std::string utf8;
        putUtf8(utf8, code);
        keep(utf8.data(), utf8.size());
    }
}

bool JsonReader::digits() {
    if (at_ >= end_ || *at_ < '0' || *at_ > '9') return fail("a number without digits");
    while (at_ < end_ && *at_ >= '0' && *at_ <= '9') ++at_;
    return true;
}

bool JsonReader::numberText() {
    if (at_ < end_ && *at_ == '-') ++at_;
    if (at_ < end_ && *at_ == '0') {
        ++at_;
    } else if (!digits()) {
        return false;
    }
    if (at_ < end_ && *at_ == '.') {
        ++at_;
        if (!digits()) return false;
    }
    if (at_ < end_ && (*at_ == 'e' || *at_ == 'E')) {
        ++at_;
        if (at_ < end_ && (*at_ == '+' || *at_ == '-')) ++at_;
        if (!digits()) return false;
    }
    return true;
}

bool JsonReader::enter() {
    if (depth_ >= kMaxJsonDepth) return fail("nesting deeper than the reader follows");
    ++depth_;
    ++at_;
    return true;
}

bool JsonReader::object(const std::function<bool(const std::string& name)>& member) {
    if (next() != Kind::Object) return fail("not an object");
    if (!enter()) return false;
    space();
    if (at_ < end_ && *at_ == '}') {
        ++at_;
        --depth_;
        return true;
    }
    std::string name;
    for (;;) {
        space();
        if (at_ >= end_ || *at_ != '"') return fail("a member without a quoted name");
        ++at_;
        name.clear();
        if (!stringBody(&name, kMaxJsonName, nullptr)) return false;
        space();
        if (at_ >= end_ || *at_++ != ':') return fail("a member without a colon");
        space();
        if (!member(name)) return false;
        space();
        if (at_ >= end_) return fail("an object without its closing brace");
        if (*at_ == '}') {
            ++at_;
            --depth_;
            return true;
        }
        if (*at_++ != ',') return fail("a missing comma in an object");
    }
}

bool JsonReader::array(const std::function<bool()>& item) {
    if (next() != Kind::Array) return fail("not an array");
    if (!enter()) return false;
    space();
    if (at_ < end_ && *at_ == ']') {
        ++at_;
        --depth_;
        return true;
    }
    for (;;) {
        space();
        if (!item()) return false;
        space();
        if (at_ >= end_) return fail("an array without its closing bracket");
        if (*at_ == ']') {
            ++at_;
            --depth_;
            return true;
        }
        if (*at_++ != ',') return fail("a missing comma in an array");
    }
}

bool JsonReader::string(std::string& out, size_t most, bool* whole) {
    out.clear();
    if (next() != Kind::String) return fail("not a string");
    ++at_;
    return stringBody(&out, most, whole);
}

bool JsonReader::number(double& out) {
    if (next() != Kind::Number) return fail("not a number");
    const char* first = at_;
    if (!numberText()) return false;
    out = std::strtod(std::string(first, at_).c_str(), nullptr);
    return true;
}

bool JsonReader::boolean(bool& out) {
    if (next() != Kind::Bool) return fail("not true or false");
    out = *at_ == 't';
    return literal(out ? "true" : "false");
}

bool JsonReader::skipValue(int depth) {
    switch (next()) {
        case Kind::Object:
        case Kind::Array: {
            if (depth >= kMaxJsonDepth) return fail("nesting deeper than the reader follows");
            const bool isObject = *at_++ == '{';
            const char close = isObject ? '}' : ']';
            space();
            if (at_ < end_ && *at_ == close) {
                ++at_;
                return true;
            }
            for (;;) {
                space();
                if (isObject) {
                    if (at_ >= end_ || *at_ != '"') return fail("a member without a quoted name");
                    ++at_;
                    if (!stringBody(nullptr, 0, nullptr)) return false;
                    space();
                    if (at_ >= end_ || *at_++ != ':') return fail("a member without a colon");
                    space();
                }
                if (!isObject) plainNumbers();
                if (!skipValue(depth + 1)) return false;
                space();
                if (at_ >= end_) {
                    return fail(isObject ? "an object without its closing brace"
                                         : "an array without its closing bracket");
                }
                if (*at_ == close) {
                    ++at_;
                    return true;
                }
                if (*at_++ != ',') {
                    return fail(isObject ? "a missing comma in an object"
                                         : "a missing comma in an array");
                }
            }
        }
        case Kind::String:
            ++at_;
            return stringBody(nullptr, 0, nullptr);
        case Kind::Bool:
            return literal(*at_ == 't' ? "true" : "false");
        case Kind::Null:
            return literal("null");
        case Kind::Number:
            return numberText();
        case Kind::Nothing:
            break;
    }
    if (at_ >= end_) return fail("the text ends where a value should be");
    return fail(*at_ == '-' ? "a number without digits" : "not a JSON value");
}

void JsonReader::plainNumbers() {
    // Whole numbers followed by a comma, in a tight loop: tile data is hundreds of millions of
    // them. Anything else, and the last item, is left for skipValue.
    for (const char* at = at_;;) {
        if (at < end_ && *at >= '1' && *at <= '9') {
            while (++at < end_ && *at >= '0' && *at <= '9') {
            }
        } else if (at < end_ && *at == '0') {
            ++at;
        } else {
            return;
        }
        while (at < end_ && isBlank(*at)) ++at;
        if (at >= end_ || *at != ',') return;
        ++at;
        while (at < end_ && isBlank(*at)) ++at;
        at_ = at;
    }
}

bool JsonReader::skip() {
    return skipValue(depth_);
}

bool JsonReader::skip(const char*& begin, const char*& end) {
    space();
    begin = at_;
    const bool ok = skipValue(depth_);
    end = at_;
    return ok;
}

bool JsonReader::finish() {
    space();
    return at_ == end_ || fail("text after the end");
}
