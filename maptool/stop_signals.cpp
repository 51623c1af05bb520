// Stop signals during a write.
#include "maptool/stop_signals.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "io/save_file.h"

namespace {
struct StopSignal {
    int number;
    const char* name;
    std::string message;  // made beforehand: a signal handler may not allocate
};

StopSignal stopSignals[] = {
    {SIGTERM, "SIGTERM", ""}, {SIGINT, "SIGINT", ""}, {SIGHUP, "SIGHUP", ""}};

void onStopSignal(int signal) {
    const int saved = errno;
    if (const char* temporary = temporaryFileBeingWritten()) unlink(temporary);
    for (const StopSignal& stop : stopSignals) {
        if (stop.number == signal &&
            write(STDERR_FILENO, stop.message.data(), stop.message.size()) < 0) {
            break;  // nothing more can be said
        }
    }
    errno = saved;
    // Ended by the signal itself, as whatever started the program expects of it.
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    sigaction(signal, &plain, nullptr);
    raise(signal);
}
}  // namespace

void removeOutputOnStopSignals(const std::string& output) {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (const StopSignal& stop : stopSignals) sigaddset(&action.sa_mask, stop.number);
    for (StopSignal& stop : stopSignals) {
        stop.message = "velloran-map: " + (output.empty() ? "" : output + ": ") + "stopped by " +
                       stop.name + "; nothing was written\n";
        sigaction(stop.number, &action, nullptr);
    }
}
