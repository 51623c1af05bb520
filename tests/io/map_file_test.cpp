// Map files: the bytes written, what loading restores, and damaged or unwritable files.
#include "io/map_file.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

#include "app/command_names.h"
#include "edit/layer_commands.h"
#include "io/mapped_file.h"
#include "map/resize_layer.h"
#include "tests/support/editing.h"

namespace fs = std::filesystem;

namespace {
std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void putInt(std::string& out, int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
    }
}

// One layer record: name, width, height, offsets 0, cell size, then `tiles`.
std::string record(const std::string& name, int width, int height, int cellSize,
                   const std::vector<int>& tiles) {
    std::string out(1, static_cast<char>(name.size()));
    out += name;
    for (int32_t v : {width, height, 0, 0, cellSize, cellSize}) putInt(out, v);
    for (int tile : tiles) {
        out.push_back(static_cast<char>(tile & 0xFF));
        out.push_back(static_cast<char>(tile >> 8));
    }
    return out;
}

std::string withCount(int32_t count, const std::string& records) {
    std::string out;
    putInt(out, count);
    return out + records;
}

struct MapFileTest : ::testing::Test {
    TestEditor t;
    Editor& e = t.editor();

    std::string path(const std::string& name) { return t.folder().path() + "/" + name; }
    void loadBytes(const std::string& bytes) {
        t.folder().write("damaged.map", bytes);
        loadMap(e, path("damaged.map"));
    }
    std::vector<std::string> menuLabels() {
        std::vector<std::string> labels;
        bool afterSeparator = false;
        for (MenuEntry* m = findMenu(e.menus, cmd::Layer)->next; m && !m->isTitle; m = m->next) {
            if (afterSeparator) labels.push_back(m->label + (m->selected ? "*" : ""));
            afterSeparator |= m->separator != 0;
        }
        return labels;
    }
    // Three small layers, each its own size, scroll, cell size and tiles.
    void buildThreeLayers() {
        addLayer(e);
        addLayer(e);
        for (int n = 1; n <= 3; ++n) {
            MapLayer* layer = findLayer(e.layers, "Map" + std::to_string(n));
            layer = resizeLayer(e.layers, *layer, 2 + n, 4 - n);
            layer->offsetX = n - 1;
            layer->offsetY = n == 1 ? 1 : 0;
            layer->cellWidth = 16 * n;
            layer->cellHeight = 8 + n;
            fillTiles(*layer, 1, static_cast<uint16_t>(1000 * n));
        }
    }
};
}  // namespace

TEST_F(MapFileTest, OneLayerIsEncodedByteForByte) {
    MapLayer* layer = resizeLayer(e.layers, *currentMapLayer(e), 2, 1);
    layer->tiles[0] = 5;
    layer->tiles[1] = 300;
    layer->name = "A";
    findWindow(e, "DesignWindow")->layerNames = {"A"};
    const std::string expected(
        "\x01\0\0\0"
        "\x01"
        "A"
        "\x02\0\0\0\x01\0\0\0\0\0\0\0\0\0\0\0\x10\0\0\0\x10\0\0\0"
        "\x05\0\x2C\x01",
        34);
    EXPECT_EQ(encodeMap(e), expected);
}

TEST_F(MapFileTest, SavedLayersComeBackInFileOrder) {
    buildThreeLayers();
    findLayer(e.layers, "Map2")->visible = 0;
    saveMap(e, path("three.map"));
    ASSERT_TRUE(t.messages.shown.empty());
    e.currentLayer = 3;
    resizeLayer(e.layers, *findLayer(e.layers, "Map1"), 1, 1);
    loadMap(e, path("three.map"));
    for (int n = 1; n <= 3; ++n) {
        MapLayer* layer = findLayer(e.layers, "Map" + std::to_string(n));
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->number, n);
        EXPECT_EQ(layer->width, 2 + n);
        EXPECT_EQ(layer->height, 4 - n);
        EXPECT_EQ(layer->offsetX, n - 1);
        EXPECT_EQ(layer->offsetY, n == 1 ? 1 : 0);
        EXPECT_EQ(layer->cellWidth, 16 * n);
        EXPECT_EQ(layer->cellHeight, 8 + n);
        EXPECT_EQ(layer->visible, 1);
        EXPECT_EQ(layer->tiles.back(), 1000 * n + layer->cellCount() - 1);
    }
    EXPECT_EQ(e.currentLayer, 1);
    EXPECT_EQ(e.layerCount, 3);
    EXPECT_EQ(findWindow(e, "DesignWindow")->layerNames,
              (std::vector<std::string>{"Map1", "Map2", "Map3"}));
    EXPECT_EQ(menuLabels(), (std::vector<std::string>{"Map1*", "Map2", "Map3"}));
    EXPECT_EQ(e.mapFileName, "three.map");
}

TEST_F(MapFileTest, LoadingSetsTheCaptionAndWritingFollowsTheDrawingOrder) {
    addLayer(e);
    findWindow(e, "DesignWindow")->layerNames = {"Map2", "Map1"};
    EXPECT_EQ(encodeMap(e).substr(4, 5), std::string("\x04Map2", 5));
    saveMap(e, path("pair.map"));
    loadMap(e, path("pair.map"));
    EXPECT_EQ(findLayer(e.layers, "Map2")->number, 1);
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    EXPECT_STREQ(caption, "Velloran 1.09 /  / map:128x128 -- pair.map");
}

TEST_F(MapFileTest, BaseNameIsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(baseName("a/b\\c"), "b\\c");
    EXPECT_EQ(baseName("a\\b"), "b");
    EXPECT_EQ(baseName("dir/sub/file.map"), "file.map");
    EXPECT_EQ(baseName("plain"), "plain");
}

TEST_F(MapFileTest, EmptyLayerAndNamesWithAZeroByteLoad) {
    resizeLayer(e.layers, *currentMapLayer(e), 0, 0);
    saveMap(e, path("empty.map"));
    EXPECT_EQ(readFile(path("empty.map")).size(), 4u + 25u + 4u);
    loadMap(e, path("empty.map"));
    ASSERT_EQ(e.layerCount, 1);
    EXPECT_TRUE(currentMapLayer(e)->tiles.empty());
    loadBytes(
        withCount(2, record(std::string("A\0B", 3), 1, 1, 16, {7}) + record("C", 1, 1, 16, {9})));
    ASSERT_EQ(e.layerCount, 2);
    ASSERT_NE(findLayer(e.layers, "A"), nullptr);
    ASSERT_NE(findLayer(e.layers, "C"), nullptr);
    EXPECT_EQ(findLayer(e.layers, "A")->tiles[0], 7);
    EXPECT_EQ(findLayer(e.layers, "C")->tiles[0], 9);
    EXPECT_EQ(findLayer(e.layers, "C")->number, 2);
}

TEST_F(MapFileTest, EmptyPathsChangeNothing) {
    addLayer(e);
    saveMap(e, "");
    EXPECT_FALSE(loadMap(e, ""));
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(t.folder().path()), fs::directory_iterator()),
              4);  // the font, two sheets and the configuration
    EXPECT_EQ(e.layerCount, 2);
    EXPECT_EQ(findWindow(e, "DesignWindow")->layerNames,
              (std::vector<std::string>{"Map1", "Map2"}));
    EXPECT_EQ(menuLabels(), (std::vector<std::string>{"Map1*", "Map2"}));
    EXPECT_EQ(e.mapFileName, "");
}

// Everything a user could lose by opening the wrong file, taken before and compared after.
struct MapState {
    int layerCount;
    std::vector<std::string> designLayers;
    std::vector<std::vector<int>> tiles;
    size_t undoEntries;
    std::string caption;
    std::string fileName;
    bool operator==(const MapState& o) const {
        return layerCount == o.layerCount && designLayers == o.designLayers && tiles == o.tiles &&
               undoEntries == o.undoEntries && caption == o.caption && fileName == o.fileName;
    }
};

TEST_F(MapFileTest, FileThatIsNoMapIsRefusedAndTheMapUndoCaptionAndNameStay) {
    // A painted two-layer map that was opened from a file and has a stroke to undo.
    addLayer(e);
    saveMap(e, path("mine.map"));
    ASSERT_TRUE(loadMap(e, path("mine.map")));
    makeBrush(e, "Left", 1, 1, {37});
    t.focusAt(mapX(3), mapY(3));
    t.frame(mapX(3), mapY(3), SDL_BUTTON_LMASK);
    t.frame(mapX(3), mapY(3), 0);
    auto state = [&] {
        MapState s{e.layerCount,
                   findWindow(e, "DesignWindow")->layerNames,
                   {},
                   e.history.undoSteps().size(),
                   windowCaption(),
                   e.mapFileName};
        for (const std::string& name : s.designLayers)
            s.tiles.push_back(tilesOf(*findLayer(e.layers, name)));
        return s;
    };
    const MapState before = state();
    ASSERT_EQ(before.undoEntries, 1u);
    ASSERT_EQ(before.tiles[0][3 * 128 + 3], 37);

    fs::create_directory(path("folder.map"));
    t.folder().copyAsset("tiles.png");
    const std::string tooMany = withCount(10, std::string(10 * 29, '\0'));
    const struct {
        const char* name;
        std::string bytes;  // not written when empty
        const char* reason;
    } cases[] = {
        {"missing.map", "", "cannot be read"},
        {"folder.map", "", "cannot be read (it is a folder)"},
        {"tiles.png", "", "is not a map file"},
        {"empty.map", std::string(), "is not a map file"},
        {"three-bytes.map", std::string(3, '\1'), "is not a map file"},
        {"no-layers.map", withCount(0, ""), "holds no layers"},
        {"negative.map", withCount(-3, record("A", 1, 1, 16, {7})), "holds no layers"},
        {"ten.map", tooMany, "holds 10 layers, more than the editor works with (9)"},
        {"thousands.map", withCount(32000, std::string(32000 * 29, '\0')),
         "holds 32000 layers, more than the editor works with (9)"},
        {"huge-count.map", withCount(0x7FFFFFFF, record("B", 1, 1, 16, {9})), "is not a map file"},
        {"first-cut.map", withCount(1, record("A", 2, 2, 16, {1, 2, 3, 4}).substr(0, 30)),
         "is not a map file"},
        {"names-taken.map",
         withCount(2, record("Tile01", 1, 1, 16, {7}) + record("brushleft", 1, 1, 16, {7})),
         "every layer it holds has a name the editor already uses"},
    };
    makeBrush(e, "Left", 1, 1, {37});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.bytes.empty() || std::string(c.name) == "empty.map")
            t.folder().write(c.name, c.bytes);
        t.messages.shown.clear();
        EXPECT_FALSE(loadMap(e, path(c.name)));
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
        EXPECT_NE(t.messages.shown[0].text.find(path(c.name)), std::string::npos);
        EXPECT_NE(t.messages.shown[0].text.find(c.reason), std::string::npos)
            << t.messages.shown[0].text;
        EXPECT_TRUE(state() == before);
        EXPECT_EQ(menuLabels(), (std::vector<std::string>{"Map1*", "Map2"}));
    }
}

// Slips caught: the rule kept only for brushes that exist already, and a brush lookup finding a
// map layer of the same name (the configuration may give a layer one).
TEST_F(MapFileTest, BrushNamesArePassedOverBeforeAnyBrushExistsAndLookupsKeepTheKindsApart) {
    eraseLayer(e.layers, "BrushLeft", false);
    loadBytes(withCount(2, record("Map1", 1, 1, 16, {5}) + record("brushleft", 1, 1, 16, {9})));
    EXPECT_EQ(e.layerCount, 1);
    EXPECT_EQ(findToolLayer(e.layers, "BrushLeft"), nullptr);
    MapLayer* named = createLayer(e.layers, 1, 1, "BrushLeft", 0, 7);
    named->number = 2;
    MapLayer* brush = makeBrush(e, "Left", 1, 1, {4});
    EXPECT_EQ(findToolLayer(e.layers, "brushLEFT"), brush);
    EXPECT_EQ(findMapLayer(e.layers, "brushLEFT"), named);
}

// A thread cuts the file short at its first read, under the whole-file reader and under Open,
// which reads in pieces. Slips: mapping the file, trusting its first size, Open taking a read
// that stopped early for a damaged file.
TEST_F(MapFileTest, FileCutShortWhileItIsReadIsRefused) {
    std::string whole = withCount(1, record("Cut", kMaxLayerSide, kMaxLayerSide, 16, {}));
    whole.resize(whole.size() + 2 * kMaxLayerCells, 'm');
    const std::string cut = path("cut.map");
    const std::function<std::string()> readers[] = {
        [&] {
            MappedFile file;
            std::string error;
            if (!file.open(cut, error)) return error;
            return std::string(std::equal(whole.begin(), whole.end(), file.data()) ? "" : "other");
        },
        [&] {
            t.messages.shown.clear();
            if (loadMap(e, cut)) return std::string(findMapLayer(e.layers, "Cut") ? "" : "lost");
            return t.messages.shown.empty() ? "no message" : t.messages.shown[0].text;
        },
    };
    for (const auto& read : readers) {
        int refused = 0;
        for (int attempt = 0; attempt < 10 && refused == 0; ++attempt) {
            t.folder().write("cut.map", whole);
            const int watch = inotify_init1(IN_CLOEXEC);
            inotify_add_watch(watch, cut.c_str(), IN_ACCESS);
            std::thread cutter([&] {
                pollfd access{watch, POLLIN, 0};
                if (poll(&access, 1, 2000) == 1 && truncate(cut.c_str(), 4096) != 0) ADD_FAILURE();
            });
            const std::string said = read();  // the reader may still win the race
            EXPECT_TRUE(said.empty() ||
                        said.find("it changed while it was read") != std::string::npos)
                << said;
            refused += !said.empty();
            cutter.join();
            close(watch);
        }
        EXPECT_EQ(refused, 1);
    }
}

TEST_F(MapFileTest, DamagedFileOpensItsWholeLayersAndSaysWhatWasLeftOut) {
    makeBrush(e, "Right", 1, 1, {5});
    // Five records stated: one named like the right brush, two whole layers, one named like an
    // earlier record, and the last cut short.
    loadBytes(withCount(5, record("brushright", 1, 1, 16, {8}) +
                               record("Ground", 2, 1, 16, {3, 4}) + record("Trees", 1, 1, 16, {6}) +
                               record("GROUND", 1, 1, 16, {9}) +
                               record("Roof", 2, 2, 16, {1, 1, 1, 1}).substr(0, 33)));
    EXPECT_EQ(e.layerCount, 2);
    EXPECT_EQ(findWindow(e, "DesignWindow")->layerNames,
              (std::vector<std::string>{"Ground", "Trees"}));
    EXPECT_EQ(menuLabels(), (std::vector<std::string>{"Ground*", "Trees"}));
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "Ground")), (std::vector<int>{3, 4}));
    EXPECT_EQ(findLayer(e.layers, "Trees")->number, 2);
    EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushRight")), (std::vector<int>{5}));
    EXPECT_EQ(e.mapFileName, "damaged.map");
    ASSERT_EQ(t.messages.shown.size(), 1u);
    const std::string& text = t.messages.shown[0].text;
    EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
    EXPECT_NE(text.find(path("damaged.map") + " is damaged: 4 of its 5 layers were read in full"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("record 1 'brushright', record 4 'GROUND'"), std::string::npos) << text;
}

TEST_F(MapFileTest, FileCutAnywhereKeepsTheCompleteLayers) {
    buildThreeLayers();
    saveMap(e, path("whole.map"));
    const std::string whole = readFile(path("whole.map"));
    // Where each record ends: 4-byte count, then 1 + 4 + 24 + 2 * cells per layer.
    const size_t ends[] = {4 + 29 + 2 * 9, 4 + 29 + 2 * 9 + 29 + 2 * 8, whole.size()};
    ASSERT_EQ(whole.size(), 4u + 3 * 29 + 2 * (9 + 8 + 5));
    // Too short to hold the layer count: no map at all, and the one shown stays.
    for (size_t length = 0; length < 4; ++length) {
        loadBytes(whole.substr(0, length));
        ASSERT_EQ(e.layerCount, 3) << "cut at " << length;
        ASSERT_EQ(findWindow(e, "DesignWindow")->layerNames.size(), 3u);
    }
    // Cut inside the first record: no whole layer, so the file is refused and the map stays.
    // Cut later: the whole layers open, and the warning says how many of the three were read.
    for (size_t length = 4; length <= whole.size(); ++length) {
        t.messages.shown.clear();
        loadBytes(whole.substr(0, length));
        const int complete = (length >= ends[0]) + (length >= ends[1]) + (length >= ends[2]);
        ASSERT_EQ(e.layerCount, complete > 0 ? complete : 3) << "cut at " << length;
        ASSERT_EQ(findWindow(e, "DesignWindow")->layerNames.size(), size_t(e.layerCount));
        EXPECT_EQ(findLayer(e.layers, "Map1")->tiles[8], 1008);
        ASSERT_EQ(t.messages.shown.size(), complete == 3 ? 0u : 1u) << "cut at " << length;
        if (complete == 1 || complete == 2) {
            EXPECT_NE(t.messages.shown[0].text.find(std::to_string(complete) + " of its 3 layers"),
                      std::string::npos);
        }
        t.frame(mapX(1), mapY(1));
    }
}

TEST_F(MapFileTest, ImpossibleSizesCountsAndCellSizesAreContained) {
    loadBytes(withCount(2, record("A", -3, 2, 16, {}) + record("B", 1, 1, 16, {9})));
    ASSERT_EQ(e.layerCount, 2);
    EXPECT_EQ(findLayer(e.layers, "A")->width, 0);
    EXPECT_TRUE(findLayer(e.layers, "A")->tiles.empty());
    EXPECT_EQ(findLayer(e.layers, "B")->tiles[0], 9);
    for (auto [width, height] : {std::pair{100000, 100000}, std::pair{5000, 5000}}) {
        loadBytes(withCount(2, record("B", 1, 1, 16, {9}) + record("A", width, height, 16, {1})));
        EXPECT_EQ(e.layerCount, 1) << width;
        EXPECT_EQ(findLayer(e.layers, "A"), nullptr);
    }
    // A side longer than any layer may hold stops the reading there, even without cells.
    for (auto [width, height] : {std::pair{0, 0x7FFFFFFF}, std::pair{16777217, 0}}) {
        loadBytes(withCount(2, record("B", 1, 1, 16, {9}) + record("A", width, height, 16, {})));
        EXPECT_EQ(e.layerCount, 1) << width;
        EXPECT_EQ(findLayer(e.layers, "A"), nullptr);
    }
    loadBytes(withCount(0x7FFFFFFF, record("B", 1, 1, 16, {9})));
    EXPECT_EQ(e.layerCount, 1);
    for (int size : {0, -16, 1 << 30}) {
        loadBytes(withCount(1, record("C", 2, 1, size, {3, 4})));
        MapLayer* layer = findLayer(e.layers, "C");
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->cellWidth, 16) << size;
        EXPECT_EQ(layer->cellHeight, 16) << size;
        t.frame(mapX(1), mapY(1));
    }
}

// Lowers the largest file this process may write until the end of the scope. Writing past it
// fails with EFBIG for every user, the superuser included, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(MapFileTest, FailedSaveWarnsAndKeepsTheOldFile) {
    fs::create_directory(path("maps"));
    fs::create_directory(path("maps/folder.map"));
    t.folder().write("maps/old.map", "old bytes");
    struct Case {
        const char* what;
        std::string target;
        rlim_t sizeLimit;  // 0: no limit
    };
    const Case cases[] = {
        {"a folder that does not exist", path("no-such-folder/map.map"), 0},
        {"a name taken by a folder", path("maps/folder.map"), 0},
        {"a disk that fills up", path("maps/old.map"), 4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        t.messages.shown.clear();
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (c.sizeLimit) limit = std::make_unique<FileSizeLimit>(c.sizeLimit);
            saveMap(e, c.target);  // the 128 x 128 map needs 32 KB
        }
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].title, "Warning deatils");
        EXPECT_NE(t.messages.shown[0].text.find(c.target), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(path("no-such-folder")));
    EXPECT_TRUE(fs::is_directory(path("maps/folder.map")));
    EXPECT_EQ(readFile(path("maps/old.map")), "old bytes");
    // No temporary file is left beside the targets.
    EXPECT_EQ(std::distance(fs::directory_iterator(path("maps")), fs::directory_iterator()), 2);
    EXPECT_TRUE(fs::is_empty(path("maps/folder.map")));
}

TEST_F(MapFileTest, SaveOverAFileKeepsItsPermissionsAndLeavesNoTemporaryFile) {
    fs::create_directory(path("maps"));
    t.folder().write("maps/kept.map", "old bytes");
    chmod(path("maps/kept.map").c_str(), 0640);
    saveMap(e, path("maps/kept.map"));
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(readFile(path("maps/kept.map")), encodeMap(e));
    struct stat info {};
    ASSERT_EQ(stat(path("maps/kept.map").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(path("maps")), fs::directory_iterator()), 1);
}

TEST_F(MapFileTest, RecordsNamedLikeThePaletteOrABrushArePassedOver) {
    makeBrush(e, "Left", 1, 1, {4});
    const std::string file =
        withCount(4, record("tile01", 1, 1, 16, {7}) + record("Map1", 2, 1, 16, {5, 6}) +
                         record("BrushLeft", 1, 1, 16, {9}) + record("Map2", 1, 1, 16, {8}));
    for (int load = 0; load < 2; ++load) {
        loadBytes(file);
        const MapLayer* palette = findToolLayer(e.layers, "Tile01");
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(palette->name, "Tile01");
        EXPECT_EQ(palette->tiles.size(), 576u);
        EXPECT_EQ(tilesOf(*findLayer(e.layers, "BrushLeft")), (std::vector<int>{4}));
        EXPECT_EQ(e.layerCount, 2);
        EXPECT_EQ(findLayer(e.layers, "Map1")->number, 1);
        EXPECT_EQ(tilesOf(*findLayer(e.layers, "Map2")), (std::vector<int>{8}));
        EXPECT_EQ(findLayer(e.layers, "Map2")->number, 2);
        EXPECT_EQ(menuLabels(), (std::vector<std::string>{"Map1*", "Map2"}));
    }
}

// Marker numbers used to start again at 1 after Open, so a new marker took the number of one in
// the file. The next number follows the highest marker on any layer; after marker 0xFFFF, the
// last tile number, none is left and w places nothing rather than wrapping round to tile 0.
TEST_F(MapFileTest, AfterOpenTheNextMarkerFollowsTheHighestInTheMap) {
    const int markerOne = e.tileCount;
    const struct {
        int bottomTile, topTile, nextMarker;
    } cases[] = {
        {5, 1, markerOne},                  // no markers: numbering starts at 1
        {markerOne + 2, 1, markerOne + 3},  // marker 3 on the first layer
        {0, markerOne + 6, markerOne + 7},  // marker 7 on the layer above
        {markerOne + 9, markerOne, markerOne + 10},
        {0, 0xFFFF, 0x10000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.topTile);
        e.nextMarkerTile = markerOne + 20;
        loadBytes(withCount(2, record("Map1", 2, 1, 16, {c.bottomTile, 0}) +
                                   record("Map2", 2, 1, 16, {1, c.topTile})));
        ASSERT_EQ(e.layerCount, 2);
        EXPECT_EQ(e.nextMarkerTile, c.nextMarker);
    }
    // Every number is taken: w on the free cell of the top layer leaves it see-through.
    postCommand(e.commandQueue, HashedName("Layer Change"), "Map2");
    t.focusAt(mapX(0), mapY(0));
    t.frame(mapX(0), mapY(0));
    t.pressKey(SDLK_w);
    t.frame(mapX(0), mapY(0));
    ASSERT_EQ(e.currentLayer, 2);
    EXPECT_EQ(tileAt(*currentMapLayer(e), 0, 0), 1);
}
