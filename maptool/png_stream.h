// A PNG file (8-bit RGBA, not interlaced) written into a sink one pixel row at a time.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "io/byte_sink.h"

class PngStream {
public:
    PngStream(ByteSink& sink, int width, int height);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // One row of width * 4 bytes, top row first; false once the sink refuses bytes.
    bool row(const uint8_t* rgba);
    // Ends the image after its last row.
    bool finish();

private:
    bool chunk(const char* type, const uint8_t* data, size_t size);
    bool deflateInto(int flush);

    ByteSink& sink_;
    int width_;
    bool ok_ = true;
    z_stream zip_{};
    std::vector<uint8_t> out_;
};
