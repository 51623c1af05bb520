// Tests of the desktop dialogs where no display can be opened, each in a fresh process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/file_chooser.h"
#include "platform/message_box.h"

namespace {

// GTK is initialised once per process and the answer is kept, so every case runs in a newly
// started copy of the test program (the "threadsafe" style) that never had a display.
class HeadlessDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        savedStyle_ = GTEST_FLAG_GET(death_test_style);
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
    void TearDown() override { GTEST_FLAG_SET(death_test_style, savedStyle_); }

    static void forgetDisplay() {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }

private:
    std::string savedStyle_;
};

FileChooserRequest saveRequest() {
    FileChooserRequest request;
    request.mode = FileChooserMode::Save;
    request.title = "Save Map File";
    request.filterName = "Map Data Files";
    request.filterPattern = "*.map";
    request.defaultExtension = "map";
    request.initialPath = "/tmp/some.map";
    return request;
}

}  // namespace

TEST_F(HeadlessDialogs, MessageBoxWritesTitleAndTextToStandardErrorAndReturns) {
    EXPECT_EXIT(
        {
            forgetDisplay();
            desktopMessageBox().show("Map Error", "Cannot read the map file broken.map");
            desktopMessageBox().show("Tile Error", "Second message");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "Map Error: Cannot read the map file broken\\.map\nTile Error: Second message\n");
}

TEST_F(HeadlessDialogs, FileChooserAnswersAsCancelledForEveryMode) {
    EXPECT_EXIT(
        {
            forgetDisplay();
            FileChooserRequest save = saveRequest();
            FileChooserRequest open = save;
            open.mode = FileChooserMode::Open;
            const bool cancelled = desktopFileChooser().choose(save).empty() &&
                                   desktopFileChooser().choose(open).empty();
            std::exit(cancelled ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
