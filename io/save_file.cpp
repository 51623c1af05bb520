// The temporary-file-and-rename writer.
#include "io/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
// A file created in place of an existing one keeps that file's permissions; a new one gets
// the usual permissions for a document, less the umask.
mode_t permissionsFor(const std::string& path) {
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

bool writeFileReplacing(const std::string& path, const std::string& bytes, std::string& error) {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string temporary(name.data());
    bool ok = fchmod(fd, permissionsFor(path)) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
    int savedErrno = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        error = std::strerror(savedErrno);
        unlink(temporary.c_str());
    }
    return ok;
}
