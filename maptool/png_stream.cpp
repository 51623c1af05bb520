// The streaming PNG writer: each row goes through deflate, full buffers become IDAT chunks.
#include "maptool/png_stream.h"

#include <cstring>

namespace {
void putBig32(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value >> 24);
    at[1] = static_cast<uint8_t>(value >> 16);
    at[2] = static_cast<uint8_t>(value >> 8);
    at[3] = static_cast<uint8_t>(value);
}

const size_t kIdatBytes = 1 << 16;
}  // namespace

PngStream::PngStream(ByteSink& sink, int width, int height)
    : sink_(sink), width_(width), out_(kIdatBytes) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ok_ = sink_.write(signature, sizeof signature);
    uint8_t header[13];
    putBig32(header, static_cast<uint32_t>(width));
    putBig32(header + 4, static_cast<uint32_t>(height));
    header[8] = 8;   // bits per channel
    header[9] = 6;   // RGBA
    header[10] = 0;  // deflate
    header[11] = 0;  // no filtering beyond the per-row filter byte
    header[12] = 0;  // not interlaced
    ok_ = ok_ && chunk("IHDR", header, sizeof header);
    if (deflateInit(&zip_, 6) != Z_OK) ok_ = false;
    zip_.next_out = out_.data();
    zip_.avail_out = static_cast<uInt>(out_.size());
}

PngStream::~PngStream() {
    deflateEnd(&zip_);
}

bool PngStream::chunk(const char* type, const uint8_t* data, size_t size) {
    uint8_t head[8];
    putBig32(head, static_cast<uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0L, head + 4, 4);
    if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
    uint8_t tail[4];
    putBig32(tail, static_cast<uint32_t>(crc));
    return sink_.write(head, 8) && (size == 0 || sink_.write(data, size)) && sink_.write(tail, 4);
}

bool PngStream::deflateInto(int flush) {
    for (;;) {
        const int result = deflate(&zip_, flush);
        if (result == Z_STREAM_ERROR) return false;
        if (zip_.avail_out == 0 || (flush == Z_FINISH && result == Z_STREAM_END)) {
            const size_t full = out_.size() - zip_.avail_out;
            if (full > 0 && !chunk("IDAT", out_.data(), full)) return false;
            zip_.next_out = out_.data();
            zip_.avail_out = static_cast<uInt>(out_.size());
            if (result == Z_STREAM_END) return true;
            continue;
        }
        if (flush != Z_FINISH && zip_.avail_in == 0) return true;
        if (flush == Z_FINISH && result != Z_OK) return false;
    }
}

bool PngStream::row(const uint8_t* rgba) {
    if (!ok_) return false;
    static const uint8_t noFilter = 0;
    zip_.next_in = const_cast<uint8_t*>(&noFilter);
    zip_.avail_in = 1;
    ok_ = deflateInto(Z_NO_FLUSH);
    zip_.next_in = const_cast<uint8_t*>(rgba);
    zip_.avail_in = static_cast<uInt>(width_) * 4;
    ok_ = ok_ && deflateInto(Z_NO_FLUSH);
    return ok_;
}

bool PngStream::finish() {
    if (!ok_) return false;
    zip_.next_in = nullptr;
    zip_.avail_in = 0;
    ok_ = deflateInto(Z_FINISH) && chunk("IEND", nullptr, 0);
    return ok_;
}
