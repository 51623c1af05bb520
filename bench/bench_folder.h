// The folder the file benchmarks write in: beside the benchmark program, so on the disk the
// build lives on rather than in a memory file system.
#pragma once

#include <string>

// The folder, created on first use, ending in "/".
const std::string& benchFolder();
// True when the folder lies on a file system held in memory (tmpfs, ramfs), where a write and
// an fsync measure no disk at all.
bool benchFolderInMemory();
