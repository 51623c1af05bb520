// Saving a file safely: written to a temporary file beside it, then renamed over it.
#pragma once

#include <string>

// Writes `bytes` to `path` so that the old file is replaced only once every byte is written
// and flushed. On failure the old file is untouched, `error` says why and false is returned.
bool writeFileReplacing(const std::string& path, const std::string& bytes, std::string& error);
