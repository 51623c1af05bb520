// The velloran-map command line: every failure is one line on standard error naming the file and
// the reason, the exit status tells bad input (1) from bad usage (2), and no output is left.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
const std::string kConfig = std::string(VELLORAN_ASSETS_DIR) + "/Configuration.xml";

// A map file of `layers` layers named Map1, Map2, ..., each width x 1 cells of tile 0; the
// last `cut` bytes left off.
std::string mapFile(int layers, int width, size_t cut = 0) {
    std::string out;
    const auto put = [&](int32_t v) {
        for (int s = 0; s < 32; s += 8) out.push_back(static_cast<char>((v >> s) & 0xFF));
    };
    put(layers);
    for (int i = 0; i < layers; ++i) {
        const std::string name = "Map" + std::to_string(i + 1);
        out.push_back(static_cast<char>(name.size()));
        out += name;
        for (int32_t v : {width, 1, 0, 0, 16, 16}) put(v);
        out.append(static_cast<size_t>(width) * 2, '\0');
    }
    return out.substr(0, out.size() - cut);
}

// A TMX map of one 2 x 1 layer holding `data`, with `change` replacing `from` in it.
std::string tmx(const std::string& data, const std::string& from = "", const std::string& to = "",
                const std::string& extra = "") {
    std::string text =
        "<map orientation=\"orthogonal\" infinite=\"0\" tilewidth=\"16\" tileheight=\"16\">\n"
        " <tileset firstgid=\"1\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"512\"/>\n"
        " <tileset firstgid=\"513\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"64\"/>\n"
        " <layer name=\"Map1\" width=\"2\" height=\"1\"><data encoding=\"csv\">" +
        data + "</data></layer>\n" + extra + "</map>\n";
    if (!from.empty()) text.replace(text.find(from), from.size(), to);
    return text;
}

std::string objects(const std::string& object) {
    return " <objectgroup name=\"Map1 markers\">" + object + "</objectgroup>\n";
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Case {
    const char* what;
    std::string input;      // written to the file named `inputName` ("" writes nothing)
    std::string inputName;  // inside the test folder
    std::string arguments;  // {in}, {out} and {config} are filled in
    std::string outputName;
    int status;
    std::string file;       // the file the message names
    std::string reason;     // a part of the message
    std::string fifo = "";  // a FIFO made in the test folder
    std::string link = "";  // a symbolic link to that FIFO (or to the input)
    bool device = false;    // the FIFO is a null device instead (where one may be made)
};

// `layers` tile layers of one cell named as given, in a TMX map.
std::string namedLayers(const std::vector<std::string>& names) {
    std::string layers;
    for (const std::string& name : names) {
        layers += " <layer name=\"" + name +
                  "\" width=\"1\" height=\"1\"><data encoding=\"csv\">1</data></layer>\n";
    }
    return tmx("1,1", "", "", layers);
}
}  // namespace

TEST(MapToolCommandLine, FailuresAreOneLineNamingFileAndReasonAndLeaveNoOutput) {
    std::string tenLayers;
    for (int i = 0; i < 10; ++i) {
        tenLayers += " <layer name=\"L" + std::to_string(i) +
                     "\" width=\"1\" height=\"1\"><data encoding=\"csv\">1</data></layer>\n";
    }
    const std::string deepJson = std::string(200, '[') + std::string(200, ']');
    // Absurd layers whose cells, all summed, overflow a 64-bit count.
    std::string hugeLayers;
    for (int i = 0; i < 40000; ++i) {
        hugeLayers += "<layer width=\"16777216\" height=\"16777216\"/>";
    }
    // The gids 1, 1 compressed, with something after the compressed stream.
    const std::string zlibThenMore = "eJxjZGBgYARiAAAUAANtb3Jl";
    const std::string gzipTwice =
        "H4sIAAAAAAACA2NkYGBgBGIAkrg0EQgAAAAfiwgAAAAAAAIDY2RgYGAEYgCSuDQRCAAAAA==";
    const Case cases[] = {
        {"no command", "", "", "", "", 2, "", "no command"},
        {"unknown option", "", "", "--frobnicate info {in}", "", 2, "", "unknown option"},
        {"unknown command", "", "", "convert {in}", "", 2, "", "unknown command"},
        {"missing argument", "", "", "export {in}", "", 2, "", "wrong number"},
        {"unknown export format", mapFile(1, 2), "a.map", "export {in} {out}", "a.gif", 2, "a.gif",
         "unknown format"},
        {"unknown import format", tmx("1,1"), "a.txt", "import {in} {out}", "a.map", 2, "a.txt",
         "unknown format"},
        {"missing map", "", "missing.map", "export {in} {out}", "a.tmx", 1, "missing.map",
         "No such file"},
        {"not a map", "hello", "a.map", "export {in} {out}", "a.csv", 1, "a.map", "not a map"},
        {"too many layers", mapFile(10, 1), "a.map", "export {in} {out}", "a.csv", 1, "a.map",
         "more than the 9"},
        {"missing configuration", mapFile(1, 2), "a.map",
         "--config {dir}/none.xml export {in} {out}", "a.tmx", 1, "none.xml", "cannot be read"},
        {"picture too large", mapFile(1, 1100), "a.map", "export {in} {out}", "a.png", 1, "a.png",
         "larger than"},
        {"cell size 3", mapFile(1, 2), "a.map", "export {in} {out} --cell-size 3", "a.png", 2, "",
         "--cell-size must be 1, 2, 4, 8 or 16, not \"3\""},
        {"cell size 0", mapFile(1, 2), "a.map", "--cell-size=0 export {in} {out}", "a.png", 2, "",
         "not \"0\""},
        {"cell size 32", mapFile(1, 2), "a.map", "export --cell-size 32 {in} {out}", "a.png", 2, "",
         "not \"32\""},
        {"cell size -1", mapFile(1, 2), "a.map", "export {in} {out} --cell-size -1", "a.png", 2, "",
         "not \"-1\""},
        {"cell size abc", mapFile(1, 2), "a.map", "export {in} {out} --cell-size abc", "a.png", 2,
         "", "not \"abc\""},
        {"cell size missing", mapFile(1, 2), "a.map", "export {in} {out} --cell-size", "a.png", 2,
         "", "needs a number"},
        {"cell size of a CSV", mapFile(1, 2), "a.map", "export {in} {out} --cell-size 8", "a.csv",
         2, "a.csv", "for .png pictures only"},
        {"cell size of an import", tmx("1,1"), "a.tmx", "import {in} {out} --cell-size 8", "a.map",
         2, "", "for export to .png only"},
        {"isometric", tmx("1,1", "orthogonal", "isometric"), "a.tmx", "import {in} {out}", "a.map",
         1, "a.tmx", "orientation \"isometric\""},
        {"infinite", tmx("1,1", "infinite=\"0\"", "infinite=\"1\""), "a.tmx", "import {in} {out}",
         "a.map", 1, "a.tmx", "infinite"},
        {"flipped tile", tmx("1,2147483649"), "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx",
         "cell (1, 0): a flipped"},
        {"gid beyond the sheets", tmx("1,600"), "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx",
         "beyond the tile sheets"},
        {"tileset of another size", tmx("1,1", "tilecount=\"64\"", "tilecount=\"60\""), "a.tmx",
         "import {in} {out}", "a.map", 1, "a.tmx", "tileset 2 does not match"},
        {"external tileset",
         tmx("1,1", "<tileset firstgid=\"1\"",
             "<tileset source=\"t.tsx\" "
             "firstgid=\"1\""),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "separate file"},
        {"too few tiles", tmx("1"), "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx",
         "holds 1 tiles where the layer has 2"},
        {"tiles as XML", tmx("<tile gid=\"1\"/><tile gid=\"1\"/>", "encoding=\"csv\"", ""), "a.tmx",
         "import {in} {out}", "a.map", 1, "a.tmx", "XML elements"},
        {"damaged zlib data",
         tmx("eJwLycxVyCxWSFTIz1NIzs9LyUxPVQQAYxcHsA==", "encoding=\"csv\"",
             "encoding=\"base64\" compression=\"zlib\""),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "tile data"},
        {"zstd data",
         tmx("KLUv/QBYIQAAAQAAAAEAAAA=", "encoding=\"csv\"",
             "encoding=\"base64\" compression=\"zstd\""),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "compressed with zstd"},
        {"ten tile layers", tmx("1,1", "", "", tenLayers), "a.tmx", "import {in} {out}", "a.map", 1,
         "a.tmx", "more than 9 tile layers"},
        {"layer group", tmx("1,1", "", "", " <group name=\"G\"/>\n"), "a.tmx", "import {in} {out}",
         "a.map", 1, "a.tmx", "\"G\" is a group"},
        {"rectangle object",
         tmx("0,1", "", "",
             objects("<object name=\"1\" x=\"1\" y=\"1\" "
                     "width=\"4\" height=\"4\"/>")),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "is a rectangle"},
        {"point without a number",
         tmx("0,1", "", "",
             objects("<object name=\"start\" x=\"1\" "
                     "y=\"1\"><point/></object>")),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "marker's name is its number"},
        {"marker on a tile",
         tmx("0,1", "", "",
             objects("<object name=\"1\" x=\"20\" "
                     "y=\"1\"><point/></object>")),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "holds a tile"},
        {"marker outside the layer",
         tmx("0,1", "", "",
             objects("<object name=\"1\" x=\"40\" "
                     "y=\"1\"><point/></object>")),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "outside layer"},
        {"broken XML", "<map><layer></map>", "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx",
         "line 1"},
        {"broken JSON", "{\"layers\":[}", "a.json", "import {in} {out}", "a.map", 1, "a.json",
         "line 1"},
        {"JSON nested too deep", deepJson, "a.json", "import {in} {out}", "a.map", 1, "a.json",
         "nesting deeper"},
        {"FIFO map opened blocking", "", "a.map", "export {in} {out}", "a.csv", 1, "a.map",
         "not a regular file", "a.map"},
        {"FIFO output renamed over", mapFile(1, 2), "a.map", "export {in} {out}", "out.csv", 1,
         "out.csv", "It is a FIFO, not a regular file", "out.csv"},
        {"link to a FIFO output", mapFile(1, 2), "a.map", "export {in} {out}", "link.csv", 1,
         "link.csv", "/node.csv, is a FIFO, not a regular file", "node.csv", "link.csv"},
        {"output is the input", tmx("1,1"), "a.tmx", "import {in} {in}", "", 1, "a.tmx",
         "is the input"},
        {"output linked to the input", mapFile(1, 2), "a.map", "export {in} {out}", "link.csv", 1,
         "link.csv", "is the input", "", "link.csv"},
        {"device output", mapFile(1, 2), "a.map", "export {in} {out}", "node.csv", 1, "node.csv",
         "It is a device", "node.csv", "", true},
        {"link to a device", mapFile(1, 2), "a.map", "export {in} {out}", "link.csv", 1, "link.csv",
         "/node.csv, is a device", "node.csv", "link.csv", true},
        {"name of the palette", namedLayers({"tile01"}), "a.tmx", "import {in} {out}", "a.map", 1,
         "a.tmx", "layer \"tile01\": a name the editor keeps"},
        {"name of an earlier layer", namedLayers({"mAP1"}), "a.tmx", "import {in} {out}", "a.map",
         1, "a.tmx", "layer 1 is named \"Map1\""},
        {"control character in a name", namedLayers({"Ma&#27;p"}), "a.tmx", "import {in} {out}",
         "a.map", 1, "a.tmx", "\"Ma\\x1Bp\": its name is not text"},
        {"name of 100,000 bytes", namedLayers({std::string(100000, 'n')}), "a.tmx",
         "import {in} {out}", "a.map", 1, "a.tmx", "longer than the 255 bytes"},
        {"bytes after the zlib stream",
         tmx(zlibThenMore, "encoding=\"csv\"", "encoding=\"base64\" compression=\"zlib\""), "a.tmx",
         "import {in} {out}", "a.map", 1, "a.tmx", "zlib tile data goes on after its end"},
        {"second gzip stream",
         tmx(gzipTwice, "encoding=\"csv\"", "encoding=\"base64\" compression=\"gzip\""), "a.tmx",
         "import {in} {out}", "a.map", 1, "a.tmx", "gzip tile data goes on after its end"},
        {"empty data with the old export's piece mark",
         namedLayers({"L2\" width=\"1\" height=\"1\"><data encoding=\"csv\" velloran-piece=\"0\"/>"
                      "</layer><layer name=\"L3"}),
         "a.tmx", "import {in} {out}", "a.map", 1, "a.tmx", "holds 0 tiles where the layer has 1"},
        {"40,000 layers of 2^48 cells", tmx("1,1", "", "", hugeLayers), "a.tmx",
         "import {in} {out}", "a.map", 1, "a.tmx", "more than 9 tile layers"},
        // A damaged map still exports the layers read in full, with a warning.
        {"map cut short", mapFile(2, 2, 1), "a.map", "export {in} {out}", "", 0, "a.map",
         "cut short after 1 of its 2 layers"},
    };
    for (const Case& c : cases) {
        const fs::path dir =
            fs::temp_directory_path() / ("velloran-map-cli-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string in = (dir / c.inputName).string();
        if (!c.input.empty()) std::ofstream(in, std::ios::binary) << c.input;
        if (c.device && mknod((dir / c.fifo).c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
            continue;  // only the superuser may make a device
        }
        if (!c.fifo.empty() && !c.device) mkfifo((dir / c.fifo).c_str(), 0644);
        if (!c.link.empty())
            fs::create_symlink(dir / (c.fifo.empty() ? c.inputName : c.fifo), dir / c.link);
        const std::string out = (dir / (c.outputName.empty() ? "out.csv" : c.outputName)).string();
        std::string arguments = "--config " + kConfig + " " + c.arguments;
        for (const auto& [key, value] : {std::pair<std::string, std::string>{"{in}", in},
                                         {"{out}", out},
                                         {"{dir}", dir.string()}}) {
            for (size_t at; (at = arguments.find(key)) != std::string::npos;) {
                arguments.replace(at, key.size(), value);
            }
        }
        const std::string errors = (dir / "stderr.txt").string();
        const int raw = std::system(
            (std::string(VELLORAN_MAP_TOOL) + " " + arguments + " >/dev/null 2>" + errors).c_str());
        const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        const std::string message = readAll(errors);
        EXPECT_EQ(status, c.status) << c.what << ": " << message;
        const std::string prefix =
            "velloran-map: " + (c.file.empty() ? "" : (dir / c.file).string() + ": ");
        EXPECT_EQ(message.rfind(prefix, 0), 0u) << c.what << ": " << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << c.what << ": " << message;
        EXPECT_LT(message.size(), 300u) << c.what;
        // Nothing but the input and the captured messages (and a successful output) is left.
        size_t files = 0;
        for (const auto& entry : fs::directory_iterator(dir)) {
            (void)entry;
            ++files;
        }
        const size_t expected =
            (c.input.empty() ? 1 : 2) + (c.status == 0 ? 1 : 0) + !c.fifo.empty() + !c.link.empty();
        EXPECT_EQ(files, expected) << c.what;
        fs::remove_all(dir);
    }
}
