// Tests of the scripted message box and file chooser that the editor's tests rely on.
#include "platform/scripted_platform.h"

#include <gtest/gtest.h>

TEST(ScriptedMessageBox, KeepsEveryMessageInOrder) {
    ScriptedMessageBox box;
    MessageBox& asInterface = box;
    asInterface.show("Map Error", "Cannot read a.map");
    asInterface.show("Map Error", "Cannot write b.map");

    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].title, "Map Error");
    EXPECT_EQ(box.shown[0].text, "Cannot read a.map");
    EXPECT_EQ(box.shown[1].text, "Cannot write b.map");
}

TEST(ScriptedFileChooser, AnswersInOrderThenCancelsAndKeepsEachRequest) {
    ScriptedFileChooser chooser;
    chooser.answers = {"/maps/first.map", "/maps/second.map"};
    FileChooser& asInterface = chooser;

    FileChooserRequest open;
    open.mode = FileChooserMode::Open;
    open.title = "Open Map File";
    FileChooserRequest save;
    save.mode = FileChooserMode::Save;
    save.initialPath = "/maps/first.map";

    EXPECT_EQ(asInterface.choose(open), "/maps/first.map");
    EXPECT_EQ(asInterface.choose(save), "/maps/second.map");
    EXPECT_EQ(asInterface.choose(open), "");
    EXPECT_TRUE(chooser.answers.empty());

    ASSERT_EQ(chooser.requests.size(), 3u);
    EXPECT_EQ(chooser.requests[0].mode, FileChooserMode::Open);
    EXPECT_EQ(chooser.requests[0].title, "Open Map File");
    EXPECT_EQ(chooser.requests[1].mode, FileChooserMode::Save);
    EXPECT_EQ(chooser.requests[1].initialPath, "/maps/first.map");
}
