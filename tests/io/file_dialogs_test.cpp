// The Open and Save map file dialogs, asked directly and through File > Open and File > Save.
#include "io/file_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_names.h"
#include "edit/dispatch.h"
#include "io/map_file.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace {
struct FileDialogsTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    void SetUp() override {
        e.focusName = "DesignWindow";
        t.questions.answers.assign(4, SaveAnswer::Discard);
    }
    std::string path(const std::string& name) { return t.folder().path() + "/" + name; }
    void request(const HashedName& command) {
        postCommand(e.commandQueue, command, "");
        handleInterfaceCommand(e);
    }
};
}  // namespace

TEST_F(FileDialogsTest, BothDialogsAskForMapFilesAndStartAtTheLastChoice) {
    t.files.answers = {"/maps/first.map", "", "/maps/second.map"};
    EXPECT_EQ(askSaveMapFile(e), "/maps/first.map");
    EXPECT_EQ(askOpenMapFile(e), "");
    EXPECT_EQ(askOpenMapFile(e), "/maps/second.map");
    EXPECT_EQ(askSaveMapFile(e), "");
    ASSERT_EQ(t.files.requests.size(), 4u);
    const FileChooserRequest& save = t.files.requests[0];
    EXPECT_EQ(save.mode, FileChooserMode::Save);
    EXPECT_EQ(save.title, "Save Map File");
    EXPECT_EQ(save.filterName, "Map Data Files");
    EXPECT_EQ(save.filterPattern, "*.map");
    EXPECT_EQ(save.defaultExtension, "map");
    EXPECT_EQ(save.initialPath, "");
    const FileChooserRequest& open = t.files.requests[1];
    EXPECT_EQ(open.mode, FileChooserMode::Open);
    EXPECT_EQ(open.title, "Open Map File");
    EXPECT_EQ(open.filterName, "Map Data Files");
    EXPECT_EQ(open.filterPattern, "*.map");
    EXPECT_EQ(open.defaultExtension, "map");
    EXPECT_EQ(open.initialPath, "/maps/first.map");
    EXPECT_EQ(t.files.requests[2].initialPath, "/maps/first.map");  // the cancel kept it
    EXPECT_EQ(t.files.requests[3].initialPath, "/maps/second.map");
}

TEST_F(FileDialogsTest, SaveThenOpenThroughTheFileMenuRequests) {
    MapLayer* map = resizeLayer(e.layers, *currentMapLayer(e), 3, 2);
    fillTiles(*map, 1, 40);
    t.files.answers = {path("saved.map")};
    request(cmd::Save);
    ASSERT_TRUE(std::filesystem::exists(path("saved.map")));
    const std::string saved = encodeMap(e);
    fillTiles(*currentMapLayer(e), 0, 9);
    e.nextMarkerTile = e.tileCount + 4;
    t.files.answers = {path("saved.map")};
    request(cmd::Open);
    EXPECT_EQ(tilesOf(*currentMapLayer(e)), (std::vector<int>{40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(encodeMap(e), saved);
    EXPECT_EQ(e.nextMarkerTile, e.tileCount);
    EXPECT_EQ(e.mapFileName, "saved.map");
}

TEST_F(FileDialogsTest, CancelledOpenKeepsTheMapAndTheLastPath) {
    t.files.answers = {path("saved.map")};
    request(cmd::Save);
    fillTiles(*currentMapLayer(e), 0, 9);
    e.nextMarkerTile = e.tileCount + 4;
    request(cmd::Open);  // no answer left: cancelled
    EXPECT_EQ(currentMapLayer(e)->tiles[0], 9);
    EXPECT_EQ(e.layerCount, 1);
    EXPECT_EQ(e.nextMarkerTile, e.tileCount + 4);
    EXPECT_EQ(e.mapFileName, "saved.map");  // the file saved before stays the map's file
    request(cmd::Save);
    ASSERT_EQ(t.files.requests.size(), 3u);
    EXPECT_EQ(t.files.requests[1].mode, FileChooserMode::Open);
    EXPECT_EQ(t.files.requests[1].initialPath, path("saved.map"));
    EXPECT_EQ(t.files.requests[2].initialPath, path("saved.map"));
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST_F(FileDialogsTest, FileMenuSaveWithoutAFocusedWindowAsksNothing) {
    e.focusName = "Focus Lost";
    t.files.answers = {path("never.map")};
    request(cmd::Save);
    EXPECT_TRUE(t.files.requests.empty());
    EXPECT_FALSE(std::filesystem::exists(path("never.map")));
}
