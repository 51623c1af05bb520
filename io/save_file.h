// Saving a file safely: written to a temporary file beside it, then renamed over it.
#pragma once

#include <string>

// Writes `bytes` to `path` so that the old file is replaced only once every byte is written
// and flushed. On failure the old file is untouched, `error` says why and false is returned.
// A symbolic link is followed to the file it names, which is written (or created, when the link
// dangles) while the link stays. A file whose permission bits forbid writing is refused, even
// for the superuser when no one may write it. The new file keeps the old one's permissions.
bool writeFileReplacing(const std::string& path, const std::string& bytes, std::string& error);
