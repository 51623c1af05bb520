// Reading a whole file into memory, safe against the file changing under the reader.
#include "io/mapped_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// The file is copied rather than mapped: a mapped file that another program cuts short ends
// the process at the first touch of a vanished page, wherever that touch happens. Reading it
// in pieces also lets a file that shrinks show itself as an early end.
constexpr size_t kReadPiece = size_t{1} << 20;

const char kChanged[] = "it changed while it was read";

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// A write or truncation by anyone moves the modification and change times, even one that
// leaves the size as it was.
bool unchanged(const struct stat& before, const struct stat& after) {
    return before.st_size == after.st_size && sameTime(before.st_mtim, after.st_mtim) &&
           sameTime(before.st_ctim, after.st_ctim);
}

// Reads `size` bytes from the start of `fd`, or says why not.
bool readAll(int fd, unsigned char* bytes, size_t size, std::string& error) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, bytes + done, std::min(kReadPiece, size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (n == 0) {
            error = kChanged;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool readRegularFile(int fd, std::unique_ptr<unsigned char[]>& bytes, size_t& size, size_t largest,
                     std::string& error) {
    struct stat before {};
    if (fstat(fd, &before) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(before.st_mode)) {
        error = S_ISDIR(before.st_mode) ? "it is a folder" : "it is not a regular file";
        return false;
    }
    if (static_cast<unsigned long long>(before.st_size) > largest) {
        error = "it is larger than " + std::to_string(largest) + " bytes";
        return false;
    }
    size = static_cast<size_t>(before.st_size);
    if (size == 0) return true;
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    // Left uninitialised: the read is the first and only write of each page.
    bytes.reset(new unsigned char[size]);
    if (!readAll(fd, bytes.get(), size, error)) return false;
    struct stat after {};
    if (fstat(fd, &after) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!unchanged(before, after)) {
        error = kChanged;
        return false;
    }
    return true;
}
}  // namespace

bool MappedFile::open(const std::string& path, std::string& error, size_t largest) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come; its status
    // refuses it before any read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const bool read = readRegularFile(fd, bytes_, size_, largest, error);
    close(fd);
    if (!read) {
        bytes_.reset();
        size_ = 0;
    }
    return read;
}
