// Reading a regular file in pieces, safe against the file changing under the reader.
#include "io/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

const char kFileChanged[] = "it changed while it was read";

namespace {
// Reading in pieces lets a file that shrinks show itself as an early end.
constexpr size_t kReadPiece = size_t{1} << 20;
}  // namespace

// A write or truncation by anyone moves the modification and change times, even one that
// leaves the size as it was.
bool FileReader::Stamp::operator==(const Stamp& other) const {
    return size == other.size && modified == other.modified && modifiedNs == other.modifiedNs &&
           changed == other.changed && changedNs == other.changedNs;
}

bool FileReader::stamp(Stamp& now, unsigned& mode) const {
    struct stat status {};
    if (fstat(fd_, &status) != 0) return false;
    now = Stamp{status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec,
                status.st_ctim.tv_sec, status.st_ctim.tv_nsec};
    mode = status.st_mode;
    return true;
}

bool FileReader::open(const std::string& path, std::string& error, size_t largest) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come; its status
    // refuses it before any read.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        error = std::strerror(errno);
        return false;
    }
    unsigned mode = 0;
    if (!stamp(opened_, mode)) {
        error = std::strerror(errno);
    } else if (!S_ISREG(mode)) {
        error = S_ISDIR(mode) ? "it is a folder" : "it is not a regular file";
    } else if (static_cast<unsigned long long>(opened_.size) > largest) {
        error = "it is larger than " + std::to_string(largest) + " bytes";
    } else {
        size_ = static_cast<size_t>(opened_.size);
        posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
        return true;
    }
    close(fd_);
    fd_ = -1;
    return false;
}

bool FileReader::read(unsigned char* into, size_t count, std::string& error) {
    if (fd_ < 0 || count > left()) {
        error = kFileChanged;
        return false;
    }
    size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd_, into + got, std::min(kReadPiece, count - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (n == 0) {
            error = kFileChanged;
            return false;
        }
        got += static_cast<size_t>(n);
    }
    done_ += count;
    return true;
}

bool FileReader::unchanged(std::string& error) const {
    Stamp now;
    unsigned mode = 0;
    if (fd_ < 0 || !stamp(now, mode)) {
        error = std::strerror(fd_ < 0 ? EBADF : errno);
        return false;
    }
    if (now == opened_) return true;
    error = kFileChanged;
    return false;
}

FileReader::~FileReader() {
    if (fd_ >= 0) close(fd_);
}
