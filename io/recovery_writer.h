// RecoveryWriter: writes a recovery copy of the map while the editor goes on. The editor forks;
// the child process holds a snapshot of the layers as they were (the system copies a page only
// when the editor writes to it) and writes it as Save writes maps, then the note beside it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "map/map_layer.h"

class RecoveryWriter {
public:
    enum class Outcome {
        Idle,     // no write was started, or its end was taken already
        Writing,  // the child is still at work
        Written,  // the copy and its note are in place
        Removed,  // the map was as saved, so no copy is needed: the copy and its note are gone
        Failed,   // nothing changed on disk; error() says why
    };

    RecoveryWriter() = default;
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;
    // Stops a write still going on.
    ~RecoveryWriter();

    // Starts writing `layers` to `mapFile`, then `note` to `noteFile`; when the layers'
    // fingerprint is `savedFingerprint` both files are removed instead. False, with error()
    // saying why, when no child could be started. Only one write goes on at a time.
    bool start(const std::vector<const MapLayer*>& layers, uint64_t savedFingerprint,
               const std::string& mapFile, const std::string& noteFile, const std::string& note);
    bool busy() const { return child_ > 0; }
    // True when the write has ended and poll() would say how, without taking that end.
    bool ended() const;
    // How the write ended, once; Writing while it goes on. `wait` blocks until it ends.
    Outcome poll(bool wait = false);
    // Ends an unfinished write at once; what it leaves behind is the caller's to remove.
    void stop();
    const std::string& error() const { return error_; }

private:
    pid_t child_ = -1;
    int report_ = -1;  // the child's reason for a failure comes through this pipe
    std::string error_;
};

// Writes the copy and the note as the child does, in this process: for tests and for the
// copy written as the editor is told to quit. Returns the outcome (never Idle or Writing).
RecoveryWriter::Outcome writeRecoveryCopy(const std::vector<const MapLayer*>& layers,
                                          uint64_t savedFingerprint, const std::string& mapFile,
                                          const std::string& noteFile, const std::string& note,
                                          std::string& error);
