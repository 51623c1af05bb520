// The forked writer of recovery copies.
#include "io/recovery_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io/map_codec.h"
#include "io/map_fingerprint.h"
#include "io/save_file.h"

namespace {
// The child's exit statuses.
constexpr int kWritten = 0;
constexpr int kRemoved = 10;
constexpr int kFailed = 11;
// The most of a reason the child passes on: a pipe holds it without waiting for the reader.
constexpr size_t kLongestReason = 1024;

RecoveryWriter::Outcome outcomeOf(int status) {
    if (!WIFEXITED(status)) return RecoveryWriter::Outcome::Failed;
    switch (WEXITSTATUS(status)) {
        case kWritten:
            return RecoveryWriter::Outcome::Written;
        case kRemoved:
            return RecoveryWriter::Outcome::Removed;
        default:
            return RecoveryWriter::Outcome::Failed;
    }
}
}  // namespace

RecoveryWriter::Outcome writeRecoveryCopy(const std::vector<const MapLayer*>& layers,
                                          uint64_t savedFingerprint, const std::string& mapFile,
                                          const std::string& noteFile, const std::string& note,
                                          std::string& error) {
    if (mapFingerprint(layers) == savedFingerprint) {
        unlink(mapFile.c_str());
        unlink(noteFile.c_str());
        return RecoveryWriter::Outcome::Removed;
    }
    // The copy first: a note never names a copy older than itself, and until the first note
    // is in place the copy is no one's to offer.
    const bool written =
        writeFileReplacing(
            mapFile, [&](ByteSink& sink) { return writeMapLayers(sink, layers); }, error) &&
        writeFileReplacing(noteFile, note, error);
    return written ? RecoveryWriter::Outcome::Written : RecoveryWriter::Outcome::Failed;
}

RecoveryWriter::~RecoveryWriter() {
    stop();
}

bool RecoveryWriter::start(const std::vector<const MapLayer*>& layers, uint64_t savedFingerprint,
                           const std::string& mapFile, const std::string& noteFile,
                           const std::string& note) {
    if (busy()) return false;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        error_ = std::strerror(errno);
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        error_ = std::strerror(errno);
        close(ends[0]);
        close(ends[1]);
        return false;
    }
    if (child == 0) {
        // The child: only the layers, the files and the pipe. It leaves with _exit, so none of
        // the editor's own clean-up (the window, the dialogs, the files it has open) runs twice.
        close(ends[0]);
        std::string reason;
        const Outcome outcome =
            writeRecoveryCopy(layers, savedFingerprint, mapFile, noteFile, note, reason);
        if (outcome == Outcome::Failed) {
            const size_t length = std::min(reason.size(), kLongestReason);
            if (write(ends[1], reason.data(), length) < 0) _exit(kFailed);
        }
        _exit(outcome == Outcome::Written   ? kWritten
              : outcome == Outcome::Removed ? kRemoved
                                            : kFailed);
    }
    close(ends[1]);
    child_ = child;
    report_ = ends[0];
    error_.clear();
    return true;
}

bool RecoveryWriter::ended() const {
    if (!busy()) return false;
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == child_;
}

RecoveryWriter::Outcome RecoveryWriter::poll(bool wait) {
    if (!busy()) return Outcome::Idle;
    int status = 0;
    pid_t ended = 0;
    do {
        ended = waitpid(child_, &status, wait ? 0 : WNOHANG);
    } while (ended < 0 && errno == EINTR);
    if (ended == 0) return Outcome::Writing;
    child_ = -1;
    const Outcome outcome = ended < 0 ? Outcome::Failed : outcomeOf(status);
    if (outcome == Outcome::Failed) {
        char reason[kLongestReason];
        const ssize_t length = read(report_, reason, sizeof reason);
        error_ = length > 0 ? std::string(reason, static_cast<size_t>(length))
                            : "the writer stopped before it was done";
    }
    close(report_);
    report_ = -1;
    return outcome;
}

void RecoveryWriter::stop() {
    if (!busy()) return;
    kill(child_, SIGKILL);
    poll(true);
}
