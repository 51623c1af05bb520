// The benchmarks' folder on disk.
#include "bench/bench_folder.h"

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace {
std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string program(path, static_cast<size_t>(n));
    return program.substr(0, program.rfind('/') + 1);
}
}  // namespace

const std::string& benchFolder() {
    static const std::string folder = [] {
        std::string path = programFolder() + "bench-files/";
        mkdir(path.c_str(), 0755);
        return path;
    }();
    return folder;
}

bool benchFolderInMemory() {
    struct statfs info {};
    if (statfs(benchFolder().c_str(), &info) != 0) return false;
    return info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC;
}
