// The strict JSON reader.
#include "maptool/json_reader.h"

#include <cstdlib>
#include <cstring>

const JsonValue* JsonValue::member(const std::string& name) const {
    for (const auto& m : members) {
        if (m.first == name) return &m.second;
    }
    return nullptr;
}

namespace {
class Reader {
public:
    Reader(const char* text, size_t size, const std::set<std::string>& kept)
        : at_(text), start_(text), end_(text + size), kept_(kept) {}

    bool document(JsonValue& value, std::string& error) {
        space();
        bool ok =
            this->value(value, 0, false) && (space(), at_ == end_ || fail("text after the end"));
        if (!ok) error = "line " + std::to_string(line()) + ": " + error_;
        return ok;
    }

private:
    bool fail(const char* what) {
        if (error_.empty()) error_ = what;
        return false;
    }

    long long line() const {
        long long n = 1;
        for (const char* p = start_; p < at_ && p < end_; ++p) n += *p == '\n';
        return n;
    }

    void space() {
        while (at_ < end_ && (*at_ == ' ' || *at_ == '\t' || *at_ == '\n' || *at_ == '\r')) ++at_;
    }

    bool literal(const char* word) {
        const size_t n = std::strlen(word);
        if (static_cast<size_t>(end_ - at_) < n || std::memcmp(at_, word, n) != 0) {
            return fail("not a JSON value");
        }
        at_ += n;
        return true;
    }

    bool hex4(unsigned& code) {
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

    static void putUtf8(std::string& out, unsigned code) {
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

    // A string after its opening quote; `out` may be null to only check it.
    bool string(std::string* out) {
        for (;;) {
            if (at_ >= end_) return fail("a string without its closing quote");
            const char c = *at_++;
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("a control character in a string");
            if (c != '\\') {
                if (out) out->push_back(c);
                continue;
            }
            if (at_ >= end_) return fail("a string without its closing quote");
            const char e = *at_++;
            const char* simple = std::strchr("\"\\/bfnrt", e);
            if (e != 0 && simple) {
                static const char plain[] = "\"\\/\b\f\n\r\t";
                if (out) out->push_back(plain[simple - "\"\\/bfnrt"]);
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
                if (!hex4(low) || low < 0xDC00 || low > 0xDFFF)
                    return fail("half a surrogate pair");
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else if (code >= 0xDC00 && code <= 0xDFFF) {
                return fail("half a surrogate pair");
            }
            if (out) putUtf8(*out, code);
        }
    }

    bool digits() {
        if (at_ >= end_ || *at_ < '0' || *at_ > '9') return fail("a number without digits");
        while (at_ < end_ && *at_ >= '0' && *at_ <= '9') ++at_;
        return true;
    }

    bool number(double* out) {
        const char* first = at_;
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
        if (out) *out = std::strtod(std::string(first, at_).c_str(), nullptr);
        return true;
    }

    // A value; with `skip` it is only checked, nothing is stored.
    bool value(JsonValue& v, int depth, bool skip) {
        if (at_ >= end_) return fail("the text ends where a value should be");
        const char c = *at_;
        if (c == '{' || c == '[') {
            if (depth >= kMaxJsonDepth) return fail("nesting deeper than the reader follows");
            ++at_;
            return c == '{' ? object(v, depth + 1, skip) : array(v, depth + 1, skip);
        }
        if (c == '"') {
            ++at_;
            if (!skip) v.kind = JsonValue::Kind::String;
            return string(skip ? nullptr : &v.text);
        }
        if (c == 't' || c == 'f') {
            if (!skip) {
                v.kind = JsonValue::Kind::Bool;
                v.boolean = c == 't';
            }
            return literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') return literal("null");
        if (!skip) v.kind = JsonValue::Kind::Number;
        return number(skip ? nullptr : &v.number);
    }

    bool array(JsonValue& v, int depth, bool skip) {
        if (!skip) v.kind = JsonValue::Kind::Array;
        space();
        if (at_ < end_ && *at_ == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            space();
            JsonValue item;
            if (!value(item, depth, skip)) return false;
            if (!skip) v.items.push_back(std::move(item));
            space();
            if (at_ >= end_) return fail("an array without its closing bracket");
            if (*at_ == ']') {
                ++at_;
                return true;
            }
            if (*at_++ != ',') return fail("a missing comma in an array");
        }
    }

    bool object(JsonValue& v, int depth, bool skip) {
        if (!skip) v.kind = JsonValue::Kind::Object;
        space();
        if (at_ < end_ && *at_ == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            space();
            if (at_ >= end_ || *at_ != '"') return fail("a member without a quoted name");
            ++at_;
            std::string name;
            if (!string(&name)) return false;
            space();
            if (at_ >= end_ || *at_++ != ':') return fail("a member without a colon");
            space();
            JsonValue member;
            const bool keep = !skip && kept_.count(name) > 0;
            const char* first = at_;
            if (!value(member, depth, skip || keep)) return false;
            if (keep) {
                member = JsonValue();
                member.kind = JsonValue::Kind::Kept;
                member.begin = first;
                member.end = at_;
            }
            if (!skip) v.members.emplace_back(std::move(name), std::move(member));
            space();
            if (at_ >= end_) return fail("an object without its closing brace");
            if (*at_ == '}') {
                ++at_;
                return true;
            }
            if (*at_++ != ',') return fail("a missing comma in an object");
        }
    }

    const char* at_;
    const char* start_;
    const char* end_;
    const std::set<std::string>& kept_;
    std::string error_;
};
}  // namespace

bool readJson(const char* text, size_t size, const std::set<std::string>& kept, JsonValue& value,
              std::string& error) {
    Reader reader(text, size, kept);
    value = JsonValue();
    return reader.document(value, error);
}
