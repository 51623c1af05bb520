// FileReader: a regular file read front to back in pieces, that tells when another program
// changed it while it was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FileReader {
public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    // False, with `error` saying why, when the file cannot be read. A folder, a FIFO or a device
    // is refused without waiting on it, and so is a file of more than `largest` bytes.
    bool open(const std::string& path, std::string& error, size_t largest = SIZE_MAX);
    // The file's size when it was opened.
    size_t size() const { return size_; }
    size_t left() const { return size_ - done_; }
    // Reads the next `count` bytes, no more than are left; false, with `error` saying why, when
    // they cannot all be read (a file cut short meanwhile has "changed while it was read").
    bool read(unsigned char* into, size_t count, std::string& error);
    // True when the file is still as it was when opened: the same size and no write since.
    bool unchanged(std::string& error) const;

private:
    struct Stamp {
        long long size = 0, modified = 0, modifiedNs = 0, changed = 0, changedNs = 0;
        bool operator==(const Stamp& other) const;
    };
    // The file's size and times now, and its type (st_mode), or false with errno set.
    bool stamp(Stamp& now, unsigned& mode) const;

    int fd_ = -1;
    size_t size_ = 0;
    size_t done_ = 0;
    Stamp opened_;
};

// What a read of a file that another program shortened or rewrote says.
extern const char kFileChanged[];
