// Reading a whole file into memory, safe against the file changing under the reader.
#include "io/mapped_file.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>

#include "io/file_reader.h"

namespace {
// Memory for a copy of `size` bytes. Huge pages, where the system has them, make filling and
// freeing a copy of hundreds of megabytes take half the time that small pages do.
unsigned char* allocate(size_t size) {
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    madvise(memory, size, MADV_HUGEPAGE);
    return static_cast<unsigned char*>(memory);
}
}  // namespace

// The file is copied rather than mapped: a mapped file that another program cuts short ends
// the process at the first touch of a vanished page, wherever that touch happens.
bool MappedFile::open(const std::string& path, std::string& error, size_t largest) {
    FileReader file;
    if (!file.open(path, error, largest)) return false;
    if (file.size() == 0) return true;
    size_ = file.size();
    bytes_ = allocate(size_);
    if (!bytes_) {
        error = std::strerror(errno);
    } else if (file.read(bytes_, size_, error) && file.unchanged(error)) {
        return true;
    }
    if (bytes_) munmap(bytes_, size_);
    bytes_ = nullptr;
    size_ = 0;
    return false;
}

MappedFile::~MappedFile() {
    if (bytes_) munmap(bytes_, size_);
}
