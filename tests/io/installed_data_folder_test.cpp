// Finding the data installed beside the program.
#include <gtest/gtest.h>

#include <filesystem>

#include "io/configuration.h"
#include "tests/support/test_editor.h"

namespace fs = std::filesystem;

TEST(InstalledDataFolder, FoundFromTheProgramsFolderOnlyWhenItHoldsAConfiguration) {
    TestFolder folder;
    const std::string prefix = folder.path() + "/prefix";
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/share/velloran");
    fs::create_directories(prefix + "/share/empty");
    folder.write("prefix/share/velloran/Configuration.xml", "<Data/>");
    // The working directory's own configuration must not count.
    folder.write("Configuration.xml", "<Data/>");

    const std::string program = prefix + "/bin/velloran";
    EXPECT_EQ(installedDataFolder(program, "../share/velloran"), prefix + "/bin/../share/velloran");
    EXPECT_EQ(installedDataFolder(program, "../share/empty"), "");
    EXPECT_EQ(installedDataFolder(prefix + "/velloran", "../share/velloran"), "");
    EXPECT_EQ(installedDataFolder("velloran", "."), "");
    EXPECT_EQ(installedDataFolder("", "."), "");
}
