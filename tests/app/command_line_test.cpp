// The command line: what the arguments ask for, and the map named on it opened at start-up.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/command_names.h"
#include "app/startup.h"
#include "io/file_dialogs.h"
#include "io/map_file.h"
#include "tests/support/editing.h"

namespace {
struct CommandLineCase {
    std::vector<std::string> arguments;
    CommandLineAction action;
    std::string mapPath;
};
}  // namespace

TEST(CommandLine, ArgumentsGiveTheActionAndTheMapToOpen) {
    using A = CommandLineAction;
    const CommandLineCase cases[] = {
        {{}, A::RunEditor, ""},
        {{"world.map"}, A::RunEditor, "world.map"},
        {{"maps/world.map"}, A::RunEditor, "maps/world.map"},
        {{"--help"}, A::ShowHelp, ""},
        {{"-h"}, A::ShowHelp, ""},
        {{"--version"}, A::ShowVersion, ""},
        {{"--version", "--help"}, A::ShowHelp, ""},
        {{"world.map", "--version"}, A::ShowVersion, "world.map"},
        // A lone dash is a name; after "--" so is everything.
        {{"-"}, A::RunEditor, "-"},
        {{"--", "-odd.map"}, A::RunEditor, "-odd.map"},
        {{"--", "--help"}, A::RunEditor, "--help"},
        // Wrong options refuse the line, even beside --help; so does a second map.
        {{"--verbose"}, A::Refuse, ""},
        {{"-x", "world.map"}, A::Refuse, ""},
        {{"--help=all"}, A::Refuse, ""},
        {{"--help", "--bogus"}, A::Refuse, ""},
        {{"one.map", "two.map"}, A::Refuse, ""},
        {{"one.map", "--", "two.map"}, A::Refuse, ""},
    };
    for (const CommandLineCase& c : cases) {
        std::string shown;
        for (const std::string& a : c.arguments) shown += " '" + a + "'";
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.mapPath, c.mapPath) << shown;
        EXPECT_EQ(line.problem.empty(), c.action != A::Refuse) << shown;
    }
    EXPECT_NE(parseCommandLine({"--bogus"}).problem.find("--bogus"), std::string::npos);
    EXPECT_NE(parseCommandLine({"a.map", "b.map"}).problem.find("b.map"), std::string::npos);
}

TEST(CommandLine, MapThatOpensBecomesTheMapsFileAndOneThatCannotLeavesTheConfiguredMap) {
    TestEditor fresh;
    Editor& f = fresh.editor();
    // One layer "Map1" of 5 x 3 cells, all tile 0.
    std::string bytes("\x01\0\0\0\x04Map1", 9);
    for (int value : {5, 3, 0, 0, 16, 16})
        bytes += std::string(1, char(value)) + std::string(3, '\0');
    bytes += std::string(5 * 3 * 2, '\0');
    fresh.folder().write("small.map", bytes);
    const std::string good = fresh.folder().path() + "/small.map";

    openMapAtStart(f, fresh.folder().path() + "/missing.map");
    ASSERT_EQ(fresh.messages.shown.size(), 1u);
    EXPECT_EQ(fresh.messages.shown[0].title, kWarningTitle);
    EXPECT_NE(fresh.messages.shown[0].text.find("missing.map"), std::string::npos);
    EXPECT_EQ(currentMapLayer(f)->width, 128);
    EXPECT_EQ(f.mapFilePath, "");

    openMapAtStart(f, good);
    EXPECT_EQ(fresh.messages.shown.size(), 1u);
    EXPECT_EQ(currentMapLayer(f)->width, 5);
    EXPECT_EQ(f.mapFilePath, good);
    EXPECT_FALSE(mapChangedSinceSaved(f));
    // The Open dialog then starts at that file, as after File > Open.
    askOpenMapFile(f);
    ASSERT_EQ(fresh.files.requests.size(), 1u);
    EXPECT_EQ(fresh.files.requests[0].initialPath, good);
}
