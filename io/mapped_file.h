// MappedFile: a regular file's bytes, copied into memory mapped for them alone, for as long as
// the object lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // False, with `error` saying why, when the file cannot be read. An empty file opens with
    // no bytes; a folder, a FIFO or a device is refused without waiting on it, so is a file of
    // more than `largest` bytes, and so is a file that another program shortens, lengthens or
    // rewrites while it is read.
    bool open(const std::string& path, std::string& error, size_t largest = SIZE_MAX);
    const unsigned char* data() const { return bytes_; }
    // The bytes are the object's own, so a reader may parse them in place.
    unsigned char* data() { return bytes_; }
    size_t size() const { return size_; }

private:
    unsigned char* bytes_ = nullptr;
    size_t size_ = 0;
};
