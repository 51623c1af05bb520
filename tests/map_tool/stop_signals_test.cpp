// A stopped run leaves no file behind: a stop signal removes the temporary file being written
// and ends the tool by that signal, with one line saying so.
#include "maptool/stop_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "io/save_file.h"
#include "tests/support/test_editor.h"

// Slip caught: the writer not telling the handler its temporary file, or the handler ending the
// run without removing it (a stopped export used to leave hundreds of megabytes behind).
TEST(MapToolStopSignals, RemoveTheFileBeingWrittenAndEndTheRun) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TestFolder folder;
        EXPECT_EXIT(
            {
                removeOutputOnStopSignals("out.csv");
                std::string error;
                writeFileReplacing(
                    "out.csv",
                    [&](ByteSink& sink) { return sink.write("1,2", 3) && raise(signal) == 0; },
                    error);
            },
            testing::KilledBySignal(signal), "velloran-map: out.csv: stopped by SIG");
        EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << signal;
    }
}
