// MappedFile: a file's bytes, mapped into memory read-only for as long as the object lives.
#pragma once

#include <cstddef>
#include <string>

class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // False, with `error` saying why, when the file cannot be read. An empty file opens with
    // no bytes; a folder or a device is refused.
    bool open(const std::string& path, std::string& error);
    const unsigned char* data() const { return data_; }
    size_t size() const { return size_; }

private:
    const unsigned char* data_ = nullptr;
    size_t size_ = 0;
};
