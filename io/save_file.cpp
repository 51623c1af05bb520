// The temporary-file-and-rename writer.
#include "io/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;

// Everything up to and including the last slash: "" for a name in the working folder.
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool readLink(const std::string& path, std::string& target) {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) < buffer.size()) {
            target.assign(buffer.data(), static_cast<size_t>(n));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Follows `path` through any chain of symbolic links to the file that saving must replace, so
// that the links stay links. A link's relative target is taken from the link's own folder; it
// is joined as text, without folding "..", because the system resolves ".." after a linked
// folder the same way. The end of the chain need not exist: a dangling link creates its
// target. `info` holds the final file's status when `exists` is set.
bool resolveLinks(const std::string& path, std::string& resolved, struct stat& info, bool& exists,
                  int& error) {
    resolved = path;
    for (int hops = 0; hops <= kMostLinksFollowed; ++hops) {
        if (lstat(resolved.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                error = errno;
                return false;
            }
            exists = false;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            exists = true;
            return true;
        }
        std::string target;
        if (!readLink(resolved, target)) {
            error = errno;
            return false;
        }
        resolved = !target.empty() && target[0] == '/' ? target : folderOf(resolved) + target;
    }
    error = ELOOP;
    return false;
}

// What a file that is not a regular one is, for a message that names it.
const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

bool isInGroup(gid_t group) {
    if (getegid() == group) return true;
    int count = getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    count = getgroups(count, groups.data());
    for (int i = 0; i < count; ++i) {
        if (groups[static_cast<size_t>(i)] == group) return true;
    }
    return false;
}

// Whether the permission bits of an existing file let this process write it. Renaming over a
// file needs only the folder's permission, so without this check a read-only map would be
// replaced in silence. An ordinary user needs the write bit of its class (owner, group or
// other), as an in-place write would. The superuser may write any file the system lets it,
// but not one that no class may write: that file was made read-only on purpose.
bool permitsWriting(const struct stat& info) {
    const uid_t user = geteuid();
    if (user == 0) return (info.st_mode & 0222) != 0;
    if (info.st_uid == user) return (info.st_mode & S_IWUSR) != 0;
    if (isInGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

// A file created in place of an existing one keeps that file's permissions; a new one gets
// the usual permissions for a document, less the umask.
mode_t permissionsFor(const struct stat& existing, bool exists) {
    if (exists) return existing.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The mkstemp pattern for a temporary file beside `target`: a hidden name made of as much of
// the target's name as fits the folder's name limit, so that a file left by a crash says which
// map it belonged to. The target name itself may already be as long as the limit allows.
// mkstemp creates the file exclusively, so the temporary name is never that of an existing
// target.
std::string temporaryPattern(const std::string& folder, const std::string& target) {
    const std::string suffix = "~XXXXXX";
    long nameMax = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0) nameMax = 255;
    std::string name = target.substr(folder.size());
    const long room = nameMax - 1 - static_cast<long>(suffix.size());
    size_t keep = room > 0 ? static_cast<size_t>(room) : 0;
    if (keep < name.size()) {
        // Never cut a UTF-8 character in two: back off over continuation bytes.
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
        name.resize(keep);
    }
    return folder + "." + name + suffix;
}

// Makes a rename in `folder` survive a power cut.
void syncFolder(const std::string& folder) {
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The temporary file being written now, for a signal handler to remove.
std::atomic<const char*> temporaryNow{nullptr};

// A temporary file that is closed and removed when it is let go before it was renamed.
class TemporaryFile {
public:
    TemporaryFile(const std::string& path, int fd) : path_(path), fd_(fd) {
        temporaryNow = path_.c_str();
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) unlink(path_.c_str());
        temporaryNow = nullptr;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void renamed() {
        temporaryNow = nullptr;
        renamed_ = true;
    }

private:
    const std::string path_;
    int fd_;
    bool renamed_ = false;
};

// Writes to a file descriptor through a buffer, so that many small pieces cost few system
// calls; the first error stops every later write and is kept.
class FileSink : public ByteSink {
public:
    explicit FileSink(int fd) : fd_(fd) { buffer_.reserve(kBufferBytes); }

    bool write(const void* data, size_t size) override {
        if (error_ != 0) return false;
        const char* bytes = static_cast<const char*>(data);
        if (buffer_.size() + size > kBufferBytes) {
            if (!flush()) return false;
            if (size >= kBufferBytes) return writeAll(bytes, size);
        }
        buffer_.insert(buffer_.end(), bytes, bytes + size);
        return true;
    }

    bool flush() {
        if (error_ != 0) return false;
        const bool ok = writeAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }

    int error() const { return error_; }

private:
    static constexpr size_t kBufferBytes = 1 << 20;

    bool writeAll(const char* data, size_t size) {
        size_t done = 0;
        while (done < size) {
            ssize_t n = ::write(fd_, data + done, size - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return true;
    }

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};
}  // namespace

bool writeFileReplacing(const std::string& path, const std::string& bytes, std::string& error) {
    return writeFileReplacing(
        path, [&bytes](ByteSink& sink) { return sink.write(bytes.data(), bytes.size()); }, error);
}

bool writeFileReplacing(const std::string& path, const std::function<bool(ByteSink&)>& produce,
                        std::string& error) {
    std::string target;
    struct stat existing {};
    bool exists = false;
    int failure = 0;
    if (!resolveLinks(path, target, existing, exists, failure)) {
        error = std::strerror(failure);
        return false;
    }
    // The rename would put a regular file in place of a FIFO or a device node (the system's
    // own /dev/null, for the superuser), so only a regular file is ever replaced.
    if (exists && !S_ISREG(existing.st_mode)) {
        const std::string kind = std::string(kindOf(existing.st_mode)) + ", not a regular file";
        error =
            target == path ? "It is " + kind : "The file it links to, " + target + ", is " + kind;
        return false;
    }
    if (exists && !permitsWriting(existing)) {
        error = target == path ? "The file is read-only"
                               : "The file it links to, " + target + ", is read-only";
        return false;
    }
    // The temporary file lies in the target's folder, not the link's, so that the rename
    // stays on one file system.
    const std::string folder = folderOf(target);
    std::string pattern = temporaryPattern(folder, target);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string temporary(name.data());
    // Until the rename, the temporary file goes with any way out of here: an exception from
    // `produce` (memory running out, say), or a signal that ends the program.
    TemporaryFile beingWritten(temporary, fd);
    FileSink sink(fd);
    int savedErrno = 0;
    bool ok = fchmod(fd, permissionsFor(existing, exists)) == 0;
    if (!ok) savedErrno = errno;
    if (ok && !(produce(sink) && sink.flush())) {
        ok = false;
        savedErrno = sink.error();
    }
    if (ok && fsync(fd) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!beingWritten.close() && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        error = savedErrno != 0 ? std::strerror(savedErrno) : "the data could not be written";
        return false;
    }
    beingWritten.renamed();
    // The new bytes are in place once the rename is done; a folder that cannot be synced only
    // leaves the name as safe as any other write on that file system, so it is not a failure.
    syncFolder(folder);
    return true;
}

const char* temporaryFileBeingWritten() {
    return temporaryNow;
}
