// Reading a whole file into memory, safe against the file changing under the reader.
#include "io/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
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

// Memory for a copy of `size` bytes. Huge pages, where the system has them, make filling and
// freeing a map of hundreds of megabytes take half the time that small pages do.
unsigned char* allocate(size_t size) {
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    madvise(memory, size, MADV_HUGEPAGE);
    return static_cast<unsigned char*>(memory);
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
}  // namespace

bool MappedFile::open(const std::string& path, std::string& error, size_t largest) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come; its status
    // refuses it before any read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat before {};
    struct stat after {};
    bool ok = fstat(fd, &before) == 0;
    if (!ok) {
        error = std::strerror(errno);
    } else if (!S_ISREG(before.st_mode)) {
        error = S_ISDIR(before.st_mode) ? "it is a folder" : "it is not a regular file";
        ok = false;
    } else if (static_cast<unsigned long long>(before.st_size) > largest) {
        error = "it is larger than " + std::to_string(largest) + " bytes";
        ok = false;
    } else if (before.st_size > 0) {
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        size_ = static_cast<size_t>(before.st_size);
        bytes_ = allocate(size_);
        if (!bytes_) {
            error = std::strerror(errno);
            ok = false;
        } else if (!readAll(fd, bytes_, size_, error)) {
            ok = false;
        } else if (fstat(fd, &after) != 0) {
            error = std::strerror(errno);
            ok = false;
        } else if (!unchanged(before, after)) {
            error = kChanged;
            ok = false;
        }
    }
    close(fd);
    if (!ok) {
        if (bytes_) munmap(bytes_, size_);
        bytes_ = nullptr;
        size_ = 0;
    }
    return ok;
}

MappedFile::~MappedFile() {
    if (bytes_) munmap(bytes_, size_);
}
