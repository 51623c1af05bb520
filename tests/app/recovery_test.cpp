// The recovery copy: when it is written, what removes it, a failed write, and the copies offered
// at start.
#include "app/recovery.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/caption.h"
#include "io/map_file.h"
#include "io/save_file.h"
#include "io/unsaved_changes.h"
#include "tests/support/editing.h"

namespace fs = std::filesystem;

namespace {
struct RecoveryTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();
    const RecoveryCopy& own = e.recovery.own;

    void SetUp() override {
        setenv("XDG_STATE_HOME", t.folder().path().c_str(), 1);
        e.settings.integers["AutosaveSeconds"] = 1;
        startRecovery(e);
        std::string error;
        ASSERT_TRUE(makeRecoveryFolder(e.recovery.folder, error)) << error;
        makeBrush(e, "Left", 1, 1, {5});
    }
    void paint(int column) {
        t.frame(mapX(column), mapY(1), SDL_BUTTON_LMASK);
        t.frame(mapX(column), mapY(1), 0);
    }
    // Frames (on the editor's clock) at `now` until the write started by then is over.
    void frameAt(Uint32 now) {
        do keepRecoveryCopy(e, now);
        while (e.recovery.writer.busy() && usleep(1000) == 0);
    }
    std::string copy(bool note = false) {
        std::ifstream in(note ? own.noteFile : own.mapFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

void leaveCopy(const std::string& folder, const RecoveryNote& note, const std::string& bytes) {
    const RecoveryCopy copy = copyOf(folder, note.process);
    std::string error;
    ASSERT_TRUE(writeFileReplacing(copy.mapFile, bytes, error)) << error;
    ASSERT_TRUE(writeFileReplacing(copy.noteFile, noteText(note), error)) << error;
}
}  // namespace

// Slips caught: a copy written before AutosaveSeconds or not at all, a copy that is not the map,
// Save or Discard leaving it, a Discard whose map stays changed and is never copied again, a
// termination that removes the copy of unsaved work, a clean exit that keeps it.
TEST_F(RecoveryTest, CopyFollowsChangesAndGoesWithSaveDiscardAndACleanExit) {
    const Uint32 before = SDL_GetTicks();
    paint(1);
    frameAt(before + 999);
    EXPECT_FALSE(fs::exists(own.mapFile));
    frameAt(SDL_GetTicks() + 1000);
    EXPECT_EQ(copy(), encodeMap(e));
    RecoveryNote note;
    ASSERT_TRUE(readNoteText(copy(true), note));
    EXPECT_EQ(note.process.pid, getpid());
    EXPECT_EQ(note.mapPath, "");

    ASSERT_TRUE(saveMap(e, t.folder().path() + "/saved.map"));
    EXPECT_FALSE(fs::exists(own.mapFile));
    paint(2);
    frameAt(SDL_GetTicks() + 1000);
    ASSERT_TRUE(fs::exists(own.mapFile));
    t.questions.answers.push_back(SaveAnswer::Discard);
    ASSERT_TRUE(mayLeaveMap(e));  // and then the Open that asked is cancelled
    EXPECT_FALSE(fs::exists(own.mapFile));
    frameAt(SDL_GetTicks() + 1000);
    EXPECT_EQ(copy(), encodeMap(e));

    paint(3);  // not yet copied when the editor is told to quit
    finishRecovery(e, true);
    EXPECT_EQ(copy(), encodeMap(e));
    finishRecovery(e, false);
    EXPECT_FALSE(fs::exists(own.mapFile));
    EXPECT_FALSE(fs::exists(own.noteFile));
}

// A full disk must not interrupt: the failure shows once on the status line, later writes are
// tried again, and the first that succeeds puts the copy in place.
TEST_F(RecoveryTest, FailedWriteIsReportedOnceAndTriedAgain) {
    fs::create_directory(own.mapFile);  // a folder where the copy goes: every write fails
    paint(1);
    const Uint32 now = SDL_GetTicks();
    frameAt(now + 1000);
    EXPECT_NE(windowCaption().find("recovery copy could not be written"), std::string::npos);
    EXPECT_TRUE(t.messages.shown.empty());
    setCaption(e, nullptr, "painting");
    frameAt(now + 2000);
    EXPECT_NE(windowCaption().find("painting"), std::string::npos);
    fs::remove(own.mapFile);
    frameAt(now + 3000);
    EXPECT_EQ(copy(), encodeMap(e));
}

// Slips caught: offering the copy of an editor still running (two editors offering each
// other's work), the command line's map not first, Discard keeping the copy or ending the
// questions, Escape removing it, Recover leaving the map saved or forgetting its file.
TEST_F(RecoveryTest, StartOffersTheCopiesOfStoppedEditorsTheCommandLinesMapFirst) {
    const std::string folder = e.recovery.folder, opened = t.folder().path() + "/opened.map";
    ASSERT_TRUE(saveMap(e, opened));
    const std::string map = encodeMap(e);
    // Another editor still running (the test's parent stands for it), this process's number
    // with another start, and a number no process has.
    const ProcessIdentity running = processIdentity(getppid()), reused{getpid(), 7, running.boot},
                          gone{999999, 7, running.boot};
    leaveCopy(folder, RecoveryNote{"/elsewhere/running.map", 300, running}, map);
    leaveCopy(folder, RecoveryNote{"/elsewhere/newer.map", 200, reused}, map);
    leaveCopy(folder, RecoveryNote{opened, 100, gone}, map + "x");
    t.folder().write("velloran/recovery/.999999-7.map~a1b2c3", "half a write");

    t.questions.choices = {1, -1};
    offerRecovery(e, opened);
    ASSERT_EQ(t.questions.asked.size(), 2u);
    EXPECT_EQ(t.questions.asked[0].title, "Recover unsaved work");
    EXPECT_EQ(t.questions.asked[0].text.find("The map opened.map had changes that were not saved "
                                             "when the editor stopped at "),
              0u);
    EXPECT_NE(t.questions.asked[1].text.find("newer.map"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder + "/999999-7.map"));
    EXPECT_FALSE(fs::exists(folder + "/.999999-7.map~a1b2c3"));

    t.questions.choices = {0};
    offerRecovery(e, "");
    EXPECT_EQ(t.questions.asked.size(), 3u);
    EXPECT_EQ(e.mapFilePath, "/elsewhere/newer.map");
    EXPECT_TRUE(mapChangedSinceSaved(e));
    EXPECT_EQ(copy(), map);  // the copy is this editor's now
    EXPECT_TRUE(fs::exists(own.noteFile));
    EXPECT_FALSE(fs::exists(copyOf(folder, reused).noteFile));
    EXPECT_TRUE(fs::exists(copyOf(folder, running).mapFile));
}
