// The tile data decoders.
#include "maptool/tile_data.h"

#include <zlib.h>

#include <vector>

#include "maptool/quoted_text.h"

namespace {
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string countMessage(long long found, long long count) {
    return "the tile data holds " + std::to_string(found) + " tiles where the layer has " +
           std::to_string(count);
}

std::string tooManyMessage(long long count) {
    return "the tile data holds more tiles than the layer has (" + std::to_string(count) + ")";
}

// Hands gids to the target in runs, so that a call is made for thousands of them.
class GidRuns {
public:
    GidRuns(long long count, const GidTarget& target, std::string& error)
        : count_(count), target_(target), error_(error) {}

    bool put(uint32_t gid) {
        if (found() >= count_) {
            error_ = tooManyMessage(count_);
            return false;
        }
        run_[held_++] = gid;
        return held_ < kRun || handOn();
    }

    // Hands on the gids held; false when the target stops.
    bool handOn() {
        if (held_ == 0) return true;
        const size_t n = held_;
        held_ = 0;
        handed_ += static_cast<long long>(n);
        return target_(handed_ - static_cast<long long>(n), run_, n);
    }

    long long found() const { return handed_ + static_cast<long long>(held_); }

private:
    static constexpr size_t kRun = 4096;
    long long count_;
    const GidTarget& target_;
    std::string& error_;
    uint32_t run_[kRun];
    size_t held_ = 0;
    long long handed_ = 0;
};

// Numbers separated by commas, blanks anywhere, optionally inside one pair of brackets.
bool decodeNumbers(const char* at, const char* end, long long count, const GidTarget& target,
                   std::string& error) {
    while (at < end && isSpace(*at)) ++at;
    while (end > at && isSpace(end[-1])) --end;
    if (at < end && *at == '[') {
        if (end[-1] != ']' || end - at < 2) {
            error = "the tile list has no closing bracket";
            return false;
        }
        ++at;
        --end;
    }
    GidRuns gids(count, target, error);
    const auto skipSpace = [&] {
        while (at < end && isSpace(*at)) ++at;
    };
    skipSpace();
    while (at < end) {
        unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*at) - '0');
        if (digit > 9) {
            error =
                "the tile data holds " + quoted(std::string(1, *at)) + " where a tile id belongs";
            return false;
        }
        unsigned long long value = digit;
        while (++at < end &&
               (digit = static_cast<unsigned>(static_cast<unsigned char>(*at) - '0')) <= 9) {
            value = value * 10 + digit;
            if (value > 0xFFFFFFFFULL) {
                error = "the tile data holds a number too large for a tile id";
                return false;
            }
        }
        if (!gids.put(static_cast<uint32_t>(value))) return false;
        // Most numbers are followed by a comma and the next number at once.
        if (end - at > 1 && *at == ',' && at[1] >= '0' && at[1] <= '9') {
            ++at;
            continue;
        }
        skipSpace();
        if (at >= end) break;
        if (*at != ',') {
            error = "the tile data holds " + quoted(std::string(1, *at)) + " where a comma belongs";
            return false;
        }
        ++at;
        skipSpace();
        if (at >= end) {
            error = "the tile data ends with a comma";
            return false;
        }
    }
    if (gids.found() != count) {
        error = countMessage(gids.found(), count);
        return false;
    }
    return gids.handOn();
}

// Gathers bytes into little-endian gids.
class GidBytes {
public:
    GidBytes(long long count, const GidTarget& target, std::string& error)
        : count_(count), runs_(count, target, error), error_(error) {}

    bool take(const unsigned char* bytes, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            gid_ |= static_cast<uint32_t>(bytes[i]) << (8 * filled_);
            if (++filled_ < 4) continue;
            if (!runs_.put(gid_)) return false;
            gid_ = 0;
            filled_ = 0;
        }
        return true;
    }

    bool complete() {
        if (runs_.found() == count_ && filled_ == 0) return runs_.handOn();
        error_ = filled_ != 0 ? "the tile data ends inside a tile id"
                              : countMessage(runs_.found(), count_);
        return false;
    }

private:
    long long count_;
    GidRuns runs_;
    std::string& error_;
    uint32_t gid_ = 0;
    int filled_ = 0;
};

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Base64 text (blanks anywhere, "\/" as JSON may write "/") to bytes, a buffer at a time.
class Base64Reader {
public:
    Base64Reader(const char* at, const char* end) : at_(at), end_(end) {}

    // Fills `out` with up to its size; false on a bad character. `got` 0 means the end.
    bool read(std::vector<unsigned char>& out, size_t& got, std::string& error) {
        got = 0;
        while (at_ < end_ && got + 3 <= out.size()) {
            char c = *at_++;
            if (isSpace(c)) continue;
            if (c == '\\' && at_ < end_ && *at_ == '/') c = *at_++;
            if (c == '=') {
                padded_ = true;
                continue;
            }
            const int v = base64Value(c);
            if (v < 0 || padded_) {
                error = "the base64 tile data holds " + quoted(std::string(1, c));
                return false;
            }
            bits_ = bits_ << 6 | static_cast<uint32_t>(v);
            if (++held_ == 4) {
                out[got++] = static_cast<unsigned char>(bits_ >> 16);
                out[got++] = static_cast<unsigned char>(bits_ >> 8);
                out[got++] = static_cast<unsigned char>(bits_);
                bits_ = 0;
                held_ = 0;
            }
        }
        if (at_ >= end_ && held_ > 0) {
            if (held_ == 1) {
                error = "the base64 tile data is cut short";
                return false;
            }
            bits_ <<= 6 * (4 - held_);
            out[got++] = static_cast<unsigned char>(bits_ >> 16);
            if (held_ == 3) out[got++] = static_cast<unsigned char>(bits_ >> 8);
            held_ = 0;
        }
        return true;
    }

private:
    const char* at_;
    const char* end_;
    uint32_t bits_ = 0;
    int held_ = 0;
    bool padded_ = false;
};

bool decodeBase64(const char* begin, const char* end, const std::string& compression,
                  long long count, const GidTarget& target, std::string& error) {
    Base64Reader base64(begin, end);
    GidBytes gids(count, target, error);
    std::vector<unsigned char> in(1 << 16);
    size_t got = 0;
    if (compression.empty()) {
        do {
            if (!base64.read(in, got, error) || !gids.take(in.data(), got)) return false;
        } while (got > 0);
        return gids.complete();
    }
    z_stream zip{};
    if (inflateInit2(&zip, compression == "gzip" ? 15 + 16 : 15) != Z_OK) {
        error = "the decompressor could not start";
        return false;
    }
    std::vector<unsigned char> out(1 << 16);
    int result = Z_OK;
    bool ok = true;
    while (ok && result != Z_STREAM_END) {
        if (!base64.read(in, got, error)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        zip.next_in = in.data();
        zip.avail_in = static_cast<uInt>(got);
        while (ok && zip.avail_in > 0 && result != Z_STREAM_END) {
            zip.next_out = out.data();
            zip.avail_out = static_cast<uInt>(out.size());
            result = inflate(&zip, Z_NO_FLUSH);
            const bool stuck = result == Z_BUF_ERROR && zip.avail_out == out.size();
            if (stuck || (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)) {
                error = "the " + compression + " tile data is damaged";
                ok = false;
                break;
            }
            ok = gids.take(out.data(), out.size() - zip.avail_out);
        }
    }
    // Output still held back once all input is in.
    while (ok && result != Z_STREAM_END) {
        zip.next_out = out.data();
        zip.avail_out = static_cast<uInt>(out.size());
        result = inflate(&zip, Z_FINISH);
        if (result != Z_STREAM_END && !(result == Z_BUF_ERROR && zip.avail_out == 0) &&
            result != Z_OK) {
            error = "the " + compression + " tile data is cut short or damaged";
            ok = false;
            break;
        }
        ok = gids.take(out.data(), out.size() - zip.avail_out);
        if (ok && result != Z_STREAM_END && zip.avail_out != 0) {
            error = "the " + compression + " tile data is cut short";
            ok = false;
        }
    }
    // A complete stream ends the data: bytes after it are damage, or a second stream, which no
    // writer of the format makes.
    if (ok && result == Z_STREAM_END && zip.avail_in == 0) {
        ok = base64.read(in, got, error);
        zip.avail_in = ok ? static_cast<uInt>(got) : 0;
    }
    if (ok && zip.avail_in > 0) {
        error = "the " + compression + " tile data goes on after its end";
        ok = false;
    }
    inflateEnd(&zip);
    return ok && gids.complete();
}
}  // namespace

bool decodeTileData(const char* begin, const char* end, const std::string& encoding,
                    const std::string& compression, long long count, const GidTarget& target,
                    std::string& error) {
    if (encoding == "csv") {
        if (!compression.empty()) {
            error = "CSV tile data cannot be compressed (" + named(compression) + ")";
            return false;
        }
        return decodeNumbers(begin, end, count, target, error);
    }
    if (encoding == "base64") {
        if (!compression.empty() && compression != "zlib" && compression != "gzip") {
            error =
                "tile data compressed with " + named(compression) + " (zlib and gzip can be read)";
            return false;
        }
        return decodeBase64(begin, end, compression, count, target, error);
    }
    error = "tile data encoded as " + named(encoding) + " (CSV and base64 can be read)";
    return false;
}
