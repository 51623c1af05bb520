// Mapping a file into memory.
#include "io/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool MappedFile::open(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0;
    if (ok && !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
        ok = false;
    } else if (!ok) {
        error = std::strerror(errno);
    }
    if (ok && info.st_size > 0) {
        size_ = static_cast<size_t>(info.st_size);
        void* data = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (data == MAP_FAILED) {
            error = std::strerror(errno);
            size_ = 0;
            ok = false;
        } else {
            data_ = static_cast<const unsigned char*>(data);
            // The file is read front to back once.
            madvise(data, size_, MADV_SEQUENTIAL);
        }
    }
    close(fd);
    return ok;
}

MappedFile::~MappedFile() {
    if (data_) munmap(const_cast<unsigned char*>(data_), size_);
}
