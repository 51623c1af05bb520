// Saving a file safely: through symbolic links, over read-only files, under long names.
#include "io/save_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "io/map_file.h"
#include "tests/support/test_editor.h"

namespace fs = std::filesystem;

namespace {
const std::string kNewBytes = "new map bytes";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

mode_t newFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Every name under `folder`, links not followed: a temporary file left behind shows here.
std::set<std::string> entriesUnder(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.insert(entry.path().lexically_relative(folder).string());
    }
    return names;
}

struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

using Links = std::vector<std::pair<std::string, std::string>>;  // link name, target text

// "@" at the start of a path in a case stands for the working folder's absolute path.
std::string expand(const TestFolder& folder, const std::string& path) {
    return path[0] == '@' ? folder.path() + path.substr(1) : path;
}

void makeLinks(const TestFolder& folder, const Links& links) {
    for (const auto& [name, target] : links) {
        ASSERT_EQ(symlink(expand(folder, target).c_str(), name.c_str()), 0) << name;
    }
}

void expectLinksKept(const TestFolder& folder, const Links& links) {
    for (const auto& [name, target] : links) {
        ASSERT_TRUE(fs::is_symlink(name)) << name << " was replaced";
        EXPECT_EQ(fs::read_symlink(name).string(), expand(folder, target)) << name;
    }
}
}  // namespace

TEST(SaveFile, WritesTheFileALinkResolvesToAndKeepsTheLink) {
    struct Case {
        const char* what;
        Links links;
        std::string saved;     // the path given to the writer
        std::string resolved;  // the file that must receive the bytes
        bool existed;
    };
    const Case cases[] = {
        {"a link beside its file", {{"link.map", "real.map"}}, "link.map", "real.map", true},
        {"a chain of links",
         {{"first.map", "maps/second.map"}, {"maps/second.map", "../store/real.map"}},
         "first.map",
         "store/real.map",
         true},
        {"a relative link in another folder, read from the link's folder",
         {{"maps/link.map", "../store/real.map"}},
         "@/maps/link.map",
         "store/real.map",
         true},
        {"an absolute link",
         {{"link.map", "@/store/real.map"}},
         "link.map",
         "store/real.map",
         true},
        {"a dangling link", {{"maps/link.map", "new.map"}}, "maps/link.map", "maps/new.map", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;  // works in a fresh folder of its own
        fs::create_directory("maps");
        fs::create_directory("store");
        if (c.existed) {
            folder.write(c.resolved, "old bytes");
            chmod(c.resolved.c_str(), 0640);
        }
        makeLinks(folder, c.links);
        std::set<std::string> before = entriesUnder(folder.path());
        before.insert(c.resolved);

        std::string error;
        EXPECT_TRUE(writeFileReplacing(expand(folder, c.saved), kNewBytes, error)) << error;
        expectLinksKept(folder, c.links);
        EXPECT_EQ(readFile(c.resolved), kNewBytes);
        EXPECT_EQ(modeOf(c.resolved), c.existed ? 0640 : newFileMode());
        EXPECT_EQ(entriesUnder(folder.path()), before);
    }
}

// The temporary file must lie beside the file the link resolves to: renamed from beside the
// link, it would have to cross file systems, which rename cannot do.
TEST(SaveFile, ALinkToAnotherFileSystemIsWrittenThrough) {
    TestFolder folder;
    struct stat here {};
    struct stat there {};
    std::string other = "/dev/shm/velloran-save-XXXXXX";
    if (stat("/dev/shm", &there) != 0 || stat(".", &here) != 0 || here.st_dev == there.st_dev ||
        !mkdtemp(other.data())) {
        GTEST_SKIP() << "no second file system to link to";
    }
    const RemovedAtEnd removeOther{other};
    const std::string real = other + "/real.map";
    { std::ofstream(real) << "old bytes"; }
    ASSERT_EQ(symlink(real.c_str(), "link.map"), 0);

    std::string error;
    EXPECT_TRUE(writeFileReplacing("link.map", kNewBytes, error)) << error;
    EXPECT_TRUE(fs::is_symlink("link.map"));
    EXPECT_EQ(readFile(real), kNewBytes);
    EXPECT_EQ(entriesUnder(other), std::set<std::string>{"real.map"});
    EXPECT_EQ(entriesUnder(folder.path()), std::set<std::string>{"link.map"});
}

// Slip caught: the temporary file left behind when the writing stops with an exception (memory
// running out, say) rather than a failure.
TEST(SaveFile, AnExceptionWhileWritingRemovesTheTemporaryFile) {
    TestFolder folder;
    std::string error;
    EXPECT_THROW(writeFileReplacing(
                     "new.map",
                     [](ByteSink& sink) -> bool {
                         sink.write("half", 4);
                         throw std::bad_alloc();
                     },
                     error),
                 std::bad_alloc);
    EXPECT_TRUE(entriesUnder(folder.path()).empty());
    EXPECT_EQ(temporaryFileBeingWritten(), nullptr);
}

// A node of the test's own (a null device where the superuser may make one, else a FIFO) at the
// end of a chain of links. Slip: checking only that the end exists; the rename replaces the node.
TEST(SaveFile, ADeviceOrAFifoAtTheEndOfLinksIsRefusedAndKept) {
    TestFolder folder;
    const bool device = mknod("node.map", S_IFCHR | 0666, makedev(1, 3)) == 0;
    ASSERT_TRUE(device || mkfifo("node.map", 0666) == 0);
    const Links links = {{"first.map", "second.map"}, {"second.map", "@/node.map"}};
    makeLinks(folder, links);
    const std::set<std::string> before = entriesUnder(folder.path());
    std::string error;
    EXPECT_FALSE(writeFileReplacing("first.map", kNewBytes, error));
    EXPECT_NE(error.find(device ? "node.map, is a device" : "node.map, is a FIFO"),
              std::string::npos);
    EXPECT_TRUE(device ? fs::is_character_file("node.map") : fs::is_fifo("node.map"));
    expectLinksKept(folder, links);
    EXPECT_EQ(entriesUnder(folder.path()), before) << error;
}

TEST(SaveFile, ReadOnlyFilesAreRefusedUntouchedAndWritableOnesSave) {
    const uid_t nobody = 65534;
    struct Case {
        const char* what;
        mode_t mode;
        bool throughLink;
        bool ofAnotherUser;  // needs the superuser to set up
        bool refused;
    };
    const Case cases[] = {
        {"read-only for all", 0444, false, false, true},
        {"readable by its owner alone", 0400, false, false, true},
        {"read-only and executable", 0555, false, false, true},
        {"read-only, reached through a link", 0444, true, false, true},
        {"writable by its owner", 0644, false, false, false},
        {"of another user, which no one may write", 0400, false, true, true},
        {"of another user, writable by that user", 0644, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.ofAnotherUser && geteuid() != 0) continue;
        TestFolder folder;
        folder.write("map.map", "old bytes");
        if (c.ofAnotherUser) {
            ASSERT_EQ(chown("map.map", nobody, nobody), 0);
        }
        chmod("map.map", c.mode);
        if (c.throughLink) {
            ASSERT_EQ(symlink("map.map", "link.map"), 0);
        }
        const std::set<std::string> before = entriesUnder(folder.path());

        std::string error;
        bool saved = writeFileReplacing(c.throughLink ? "link.map" : "map.map", kNewBytes, error);
        EXPECT_EQ(saved, !c.refused);
        EXPECT_EQ(error.empty(), !c.refused) << error;
        EXPECT_EQ(readFile("map.map"), c.refused ? "old bytes" : kNewBytes);
        EXPECT_EQ(modeOf("map.map"), c.mode);
        EXPECT_EQ(entriesUnder(folder.path()), before);
        if (c.throughLink) {
            EXPECT_TRUE(fs::is_symlink("link.map"));
        }
    }
}

TEST(SaveFile, NamesUpToTheFolderLimitSaveAndSaveAgain) {
    TestFolder folder;
    long limit = pathconf(".", _PC_NAME_MAX);
    if (limit <= 0) limit = 255;
    const size_t most = static_cast<size_t>(limit);
    const std::string names[] = {
        std::string(most - 6, 'm'),
        std::string(most - 4, 'm') + ".map",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(std::to_string(name.size()) + " bytes");
        for (const char* bytes : {"first", "second"}) {
            std::string error;
            EXPECT_TRUE(writeFileReplacing(name, bytes, error)) << error;
            EXPECT_EQ(readFile(name), bytes);
        }
        EXPECT_EQ(entriesUnder(folder.path()), std::set<std::string>{name});
        fs::remove(name);
    }
}

TEST(SaveFile, FailuresThroughLinksLeaveEverythingAsItWas) {
    struct Case {
        const char* what;
        Links links;
    };
    const Case cases[] = {
        {"a loop of links", {{"map.map", "other.map"}, {"other.map", "map.map"}}},
        {"a link into a folder that does not exist", {{"map.map", "gone/map.map"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        makeLinks(folder, c.links);
        const std::set<std::string> before = entriesUnder(folder.path());

        std::string error;
        EXPECT_FALSE(writeFileReplacing("map.map", kNewBytes, error));
        EXPECT_FALSE(error.empty());
        expectLinksKept(folder, c.links);
        EXPECT_EQ(entriesUnder(folder.path()), before);
    }
}

TEST(SaveFile, SavingTheMapOverAReadOnlyFileWarnsNamingIt) {
    TestEditor t;
    const std::string target = t.folder().path() + "/kept.map";
    t.folder().write("kept.map", "old bytes");
    chmod(target.c_str(), 0444);
    saveMap(t.editor(), target);
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
    EXPECT_NE(t.messages.shown[0].text.find(target), std::string::npos);
    EXPECT_NE(t.messages.shown[0].text.find("read-only"), std::string::npos);
    EXPECT_EQ(readFile(target), "old bytes");
}
