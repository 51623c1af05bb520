// The unsaved-changes question: which actions ask it, and what each answer does.
#include "io/unsaved_changes.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/command_names.h"
#include "edit/dispatch.h"
#include "io/map_file.h"
#include "tests/support/editing.h"

namespace fs = std::filesystem;

namespace {
struct Trigger {
    const char* name;
    std::function<void(TestEditor&)> act;
    std::function<bool(TestEditor&)> wentOn;  // whether the action was carried out
};

void request(TestEditor& t, const HashedName& command) {
    postCommand(t.editor().commandQueue, command, "");
    handleInterfaceCommand(t.editor());
}

const Trigger kTriggers[] = {
    {"File > Exit", [](TestEditor& t) { request(t, cmd::Exit); },
     [](TestEditor& t) { return t.editor().quitRequested != 0; }},
    {"closing the window",
     [](TestEditor& t) {
         SDL_Event quit{};
         quit.type = SDL_QUIT;
         SDL_PushEvent(&quit);
         t.frame(100, 100);
     },
     [](TestEditor& t) { return t.editor().quitRequested != 0; }},
    {"File > New", [](TestEditor& t) { request(t, cmd::New); },
     [](TestEditor& t) { return findDialog(t.editor(), kCreateMapDialogName)->visible != 0; }},
    {"File > Open",
     [](TestEditor& t) {
         t.files.answers.push_back(t.folder().path() + "/other.map");
         request(t, cmd::Open);
     },
     [](TestEditor& t) { return t.editor().mapFileName == "other.map"; }},
};

struct Answer {
    const char* name;
    bool changed;  // the map was painted on before the action
    bool hasFile;  // the map was opened from mine.map
    std::vector<SaveAnswer> answers;
    const char* saveDialogGives;  // null: the Save dialog is not expected
    bool wentOn;
    const char* savedTo;  // the file that must hold the painted map afterwards, or null
};

const Answer kAnswers[] = {
    {"unchanged map: no question", false, false, {}, nullptr, true, nullptr},
    {"Cancel", true, false, {SaveAnswer::Cancel}, nullptr, false, nullptr},
    {"Discard", true, true, {SaveAnswer::Discard}, nullptr, true, nullptr},
    {"Save to the map's file", true, true, {SaveAnswer::Save}, nullptr, true, "mine.map"},
    {"Save, untitled, named in the dialog",
     true,
     false,
     {SaveAnswer::Save},
     "named.map",
     true,
     "named.map"},
    {"Save, untitled, dialog cancelled", true, false, {SaveAnswer::Save}, "", false, nullptr},
};
}  // namespace

TEST(UnsavedChanges, EveryActionThatLeavesTheMapAsksAndFollowsTheAnswer) {
    for (const Trigger& trigger : kTriggers) {
        for (const Answer& a : kAnswers) {
            SCOPED_TRACE(std::string(trigger.name) + ", " + a.name);
            TestEditor t;
            Editor& e = t.editor();
            e.focusName = kDesignWindowName;
            const std::string folder = t.folder().path() + "/";
            ASSERT_TRUE(saveMap(e, folder + "other.map"));
            if (a.hasFile) {
                ASSERT_TRUE(saveMap(e, folder + "mine.map"));
                ASSERT_TRUE(loadMap(e, folder + "mine.map"));
            } else {
                e.mapFilePath.clear();
                e.mapFileName.clear();
            }
            if (a.changed) setTile(*currentMapLayer(e), 3, 3, 42);
            const std::string painted = encodeMap(e);
            t.questions.answers.assign(a.answers.begin(), a.answers.end());
            if (a.saveDialogGives) {
                t.files.answers.push_back(*a.saveDialogGives ? folder + a.saveDialogGives
                                                             : std::string());
            }

            trigger.act(t);

            EXPECT_EQ(t.questions.asked.size(), a.changed ? 1u : 0u);
            if (!t.questions.asked.empty()) {
                EXPECT_EQ(t.questions.asked[0].title, "Unsaved changes");
                const std::string name = a.hasFile ? "mine.map" : "untitled map";
                EXPECT_NE(t.questions.asked[0].text.find(name), std::string::npos);
            }
            EXPECT_EQ(trigger.wentOn(t), a.wentOn);
            if (!a.wentOn) {
                EXPECT_EQ(encodeMap(e), painted);  // the map is kept
            }
            if (a.savedTo) {
                std::ifstream in(folder + a.savedTo, std::ios::binary);
                const std::string saved((std::istreambuf_iterator<char>(in)), {});
                EXPECT_EQ(saved, painted);
            }
            EXPECT_FALSE(fs::exists(folder + "named.map") && !a.savedTo);
        }
    }
}

// A termination signal quits at once, changes or not: a session manager cannot answer.
TEST(UnsavedChanges, TerminationSignalQuitsWithoutAsking) {
    TestEditor t;
    Editor& e = t.editor();
    setTile(*currentMapLayer(e), 3, 3, 42);
    raise(SIGTERM);
    for (int frame = 0; frame < 10 && !e.quitRequested; ++frame) t.frame(100, 100);
    EXPECT_EQ(e.quitRequested, 1);
    EXPECT_TRUE(t.questions.asked.empty());
}

// Putting a change back leaves nothing unsaved; opening, saving and a new map start clean.
// Scrolling is no change (a fingerprint that took in the scroll position asked after a look
// around), a cell size is.
TEST(UnsavedChanges, TheMapCountsAsChangedOnlyWhileItDiffersFromItsSavedState) {
    TestEditor t;
    Editor& e = t.editor();
    EXPECT_FALSE(mapChangedSinceSaved(e));
    setTile(*currentMapLayer(e), 3, 3, 42);
    EXPECT_TRUE(mapChangedSinceSaved(e));
    setTile(*currentMapLayer(e), 3, 3, 0);
    EXPECT_FALSE(mapChangedSinceSaved(e));
    currentMapLayer(e)->offsetX = 5;
    currentMapLayer(e)->offsetY = 7;
    EXPECT_FALSE(mapChangedSinceSaved(e));
    currentMapLayer(e)->cellWidth = 8;
    EXPECT_TRUE(mapChangedSinceSaved(e));
    ASSERT_TRUE(saveMap(e, t.folder().path() + "/a.map"));
    EXPECT_FALSE(mapChangedSinceSaved(e));
}
