// Saving a file safely: written to a temporary file beside it, then renamed over it.
#pragma once

#include <functional>
#include <string>

#include "io/byte_sink.h"

// Writes `bytes` to `path` so that the old file is replaced only once every byte is written
// and flushed. On failure the old file is untouched, `error` says why and false is returned.
// A symbolic link is followed to the file it names, which is written (or created, when the link
// dangles) while the link stays. Anything but a regular file at the end of the chain (a folder,
// a FIFO, a device) is refused and left as it is. A file whose permission bits forbid writing
// is refused, even for the superuser when no one may write it. The new file keeps the old one's
// permissions.
bool writeFileReplacing(const std::string& path, const std::string& bytes, std::string& error);

// The same for a file written piece by piece: `produce` writes the whole file into the sink it
// is given (through a buffer, straight to the temporary file) and returns false when it cannot.
// A failure of `produce` without an error of the system is reported as "the data could not be
// written"; an exception from it removes the temporary file and goes on.
bool writeFileReplacing(const std::string& path, const std::function<bool(ByteSink&)>& produce,
                        std::string& error);

// The temporary file a save is writing at this moment, or null: a signal handler that ends the
// program may remove it (reading it is safe there).
const char* temporaryFileBeingWritten();
