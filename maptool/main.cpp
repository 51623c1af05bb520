// velloran-map: the command line of the map tool (info, export, import).
#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "io/map_codec.h"
#include "io/mapped_file.h"
#include "io/save_file.h"
#include "maptool/csv_writer.h"
#include "maptool/map_info.h"
#include "maptool/map_input.h"
#include "maptool/map_render.h"
#include "maptool/progress.h"
#include "maptool/quoted_text.h"
#include "maptool/stop_signals.h"
#include "maptool/tiled_import.h"
#include "maptool/tiled_readers.h"
#include "maptool/tiled_writers.h"

namespace {
const char* const kUsage =
    "usage: velloran-map [--config PATH] info MAP\n"
    "       velloran-map [--config PATH] export MAP OUT.tmx|OUT.json|OUT.csv|OUT.png\n"
    "       velloran-map [--config PATH] export MAP OUT.png --cell-size N\n"
    "       velloran-map [--config PATH] import IN.tmx|IN.json OUT.map\n"
    "       velloran-map --help | --version\n"
    "The tile sheets are found through Configuration.xml in the current folder, or PATH.\n"
    "A picture draws a 16-pixel cell N pixels wide: 16 (the default), 8, 4, 2 or 1, each tile\n"
    "shrunk by averaging its pixels as the editor's zoomed-out view shows it.\n";

const int kBadInput = 1;
const int kBadUsage = 2;

const char* const kCellSizes = "1, 2, 4, 8 or 16";

// What the options ask for.
struct Options {
    std::string config = "Configuration.xml";
    bool cellSizeGiven = false;
    int level = 0;  // the zoom level a picture is drawn at, from --cell-size
};

int fail(const std::string& file, const std::string& reason, int status = kBadInput) {
    std::fprintf(stderr, "velloran-map: %s: %s\n", file.c_str(), reason.c_str());
    return status;
}

int usageError(const std::string& reason) {
    std::fprintf(stderr, "velloran-map: %s (see velloran-map --help)\n", reason.c_str());
    return kBadUsage;
}

// The lower-cased extension with its dot, or "".
std::string extension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// True when `out` is the file `in` already, under its own name, another name or through links:
// writing it would replace what is being read.
bool isTheInput(const std::string& in, const std::string& out) {
    struct stat input {};
    struct stat output {};
    return stat(in.c_str(), &input) == 0 && stat(out.c_str(), &output) == 0 &&
           input.st_dev == output.st_dev && input.st_ino == output.st_ino;
}

int refuseTheInput(const std::string& in, const std::string& out) {
    return fail(out, "it is the input " + in + ", which the tool never writes over");
}

bool readMap(const std::string& path, LayerList& layers, int& status) {
    std::string error, warning;
    if (!readMapFile(path, layers, error, warning)) {
        status = fail(path, error);
        return false;
    }
    if (!warning.empty()) fail(path, warning);
    return true;
}

bool readSheets(const std::string& config, TileSheets& sheets, int& status) {
    std::string error;
    if (readTileSheets(config, sheets, error)) return true;
    std::fprintf(stderr, "velloran-map: %s\n", error.c_str());
    status = kBadInput;
    return false;
}

long long cellsIn(const LayerList& layers) {
    long long cells = 0;
    for (const auto& layer : layers) cells += static_cast<long long>(layer->width) * layer->height;
    return cells;
}

int info(const std::string& config, const std::string& path) {
    int status = 0;
    LayerList layers;
    TileSheets sheets;
    if (!readMap(path, layers, status) || !readSheets(config, sheets, status)) return status;
    std::fputs(describeMap(layers, sheets.tileCount).c_str(), stdout);
    return 0;
}

int exportMap(const Options& options, const std::string& path, const std::string& out) {
    const std::string& config = options.config;
    const int level = options.level;
    const std::string format = extension(out);
    if (format != ".tmx" && format != ".json" && format != ".csv" && format != ".png") {
        return fail(out, "unknown format (the name must end in .tmx, .json, .csv or .png)",
                    kBadUsage);
    }
    if (options.cellSizeGiven && format != ".png") {
        return fail(out, "--cell-size is for .png pictures only", kBadUsage);
    }
    if (isTheInput(path, out)) return refuseTheInput(path, out);
    int status = 0;
    LayerList layers;
    TileSheets sheets;
    if (!readMap(path, layers, status)) return status;
    if (format != ".csv" && !readSheets(config, sheets, status)) return status;
    std::string error;
    if (format != ".png" && !namesAreText(layers, error)) return fail(path, error);
    if (format == ".png") {
        const PictureSize size = pictureSize(layers, level);
        if (size.width < 1 || size.height < 1) return fail(path, "the map has no cells to draw");
        if (size.width > kMaxPictureSide || size.height > kMaxPictureSide) {
            return fail(out, "a picture of " + std::to_string(size.width) + " x " +
                                 std::to_string(size.height) + " pixels is larger than the " +
                                 std::to_string(kMaxPictureSide) + " a side the tool draws");
        }
    }
    const TiledLayout layout = tiledLayout(layers, sheets, out);
    Progress progress("exporting",
                      format == ".png" ? pictureSize(layers, level).height : cellsIn(layers));
    const bool written = writeFileReplacing(
        out,
        [&](ByteSink& sink) {
            if (format == ".tmx") return writeTmx(sink, layers, layout, sheets.tileCount, progress);
            if (format == ".json") {
                return writeTiledJson(sink, layers, layout, sheets.tileCount, progress);
            }
            if (format == ".csv") return writeCsv(sink, layers, progress);
            return writeMapPicture(sink, layers, sheets, progress, level);
        },
        error);
    return written ? 0 : fail(out, error);
}

int importMap(const std::string& config, const std::string& in, const std::string& out) {
    const std::string format = extension(in);
    if (format != ".tmx" && format != ".json") {
        return fail(in, "unknown format (the name must end in .tmx or .json)", kBadUsage);
    }
    if (isTheInput(in, out)) return refuseTheInput(in, out);
    int status = 0;
    TileSheets sheets;
    MappedFile file;
    std::string error;
    if (!file.open(in, error)) return fail(in, error);
    if (!readSheets(config, sheets, status)) return status;
    TiledMap map;
    char* text = reinterpret_cast<char*>(file.data());
    // A parse error's line is counted in the file as it is, read again: parsing in place has
    // changed the bytes read.
    const auto lineOf = [&](size_t offset) {
        MappedFile again;
        std::string ignored;
        const bool read = again.open(in, ignored) && again.size() >= offset;
        return lineAt(read ? reinterpret_cast<const char*>(again.data()) : text, offset);
    };
    const bool parsed = format == ".tmx" ? readTmxInPlace(text, file.size(), map, error, lineOf)
                                         : readTiledJson(text, file.size(), map, error);
    if (!parsed) return fail(in, error);
    ImportPlan plan;
    if (!planImport(map, sheets, plan, error)) return fail(in, error);
    plan.letDataGo = true;  // the tile data lies in the file's bytes, read for this alone
    // The layers are written as they are made, the first while the next are decoded.
    Progress progress("importing", plan.cells());
    std::string importError;
    const bool written = writeFileReplacing(
        out,
        [&](ByteSink& sink) {
            // The layer count, a little-endian 32-bit number: nine at most.
            unsigned char count[4] = {static_cast<unsigned char>(plan.layers.size())};
            if (!sink.write(count, sizeof count)) return false;
            return makeLayers(
                plan,
                [&](std::unique_ptr<MapLayer>& layer) {
                    unsigned char header[kMaxRecordHeaderBytes];
                    return sink.write(header, encodeRecordHeader(*layer, header)) &&
                           writeLayerTiles(sink, *layer);
                },
                importError, progress);
        },
        error);
    if (!written) return importError.empty() ? fail(out, error) : fail(in, importError);
    return 0;
}

int run(const std::vector<std::string>& words, const Options& options) {
    const std::string& command = words[0];
    if (command != "info" && command != "export" && command != "import") {
        return usageError("unknown command " + command);
    }
    if (options.cellSizeGiven && command != "export") {
        return usageError("--cell-size is for export to .png only");
    }
    const std::string& config = options.config;
    if (command == "info" && words.size() == 2) return info(config, words[1]);
    if (command == "export" && words.size() == 3) return exportMap(options, words[1], words[2]);
    if (command == "import" && words.size() == 3) return importMap(config, words[1], words[2]);
    return usageError("wrong number of arguments for " + command);
}
}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::puts(kEditorTitle);
            return 0;
        }
        if (arg == "--config") {
            if (i + 1 >= argc) return usageError("--config needs a path");
            options.config = argv[++i];
        } else if (arg.rfind("--config=", 0) == 0) {
            options.config = arg.substr(9);
        } else if (arg == "--cell-size" || arg.rfind("--cell-size=", 0) == 0) {
            if (arg == "--cell-size" && i + 1 >= argc) {
                return usageError(std::string("--cell-size needs a number of pixels: ") +
                                  kCellSizes);
            }
            const std::string value = arg == "--cell-size" ? argv[++i] : arg.substr(12);
            const bool digits = !value.empty() && value.size() <= 2 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            if (!digits || !levelOfCellSize(std::stoll(value), options.level)) {
                return usageError(std::string("--cell-size must be ") + kCellSizes + ", not " +
                                  quoted(value));
            }
            options.cellSizeGiven = true;
        } else if (arg == "--") {
            for (++i; i < argc; ++i) words.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option " + arg);
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty()) return usageError("no command given");
    const std::string output = words.size() == 3 ? words[2] : "";
    removeOutputOnStopSignals(output);
    // The file being written, if any, is gone by the time an exception reaches here.
    try {
        return run(words, options);
    } catch (const std::bad_alloc&) {
        return fail(output.empty() ? words.back() : output, "out of memory; nothing was written");
    } catch (const std::exception& e) {
        return fail(output.empty() ? words.back() : output,
                    std::string(e.what()) + "; nothing was written");
    }
}
