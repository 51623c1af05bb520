// ByteSink: where a file's bytes go, in pieces of any size, so that big files are written
// straight from the data they describe without a copy of the whole file in memory.
#pragma once

#include <cstddef>
#include <string>

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be taken; the sink's owner knows why.
    virtual bool write(const void* data, size_t size) = 0;
};

// Collects the bytes in a string (tests, small files).
class StringSink : public ByteSink {
public:
    bool write(const void* data, size_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return true;
    }
    std::string bytes;
};
