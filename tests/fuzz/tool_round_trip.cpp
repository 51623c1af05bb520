// The map tool's round trip under fuzzing.
#include "tests/fuzz/tool_round_trip.h"

#include <cstdio>
#include <cstdlib>

#include "io/map_codec.h"
#include "maptool/map_input.h"
#include "maptool/tiled_import.h"
#include "maptool/tiled_readers.h"
#include "maptool/tiled_writers.h"

namespace {
[[noreturn]] void fail(const char* rule, const std::string& detail = "") {
    std::fprintf(stderr, "map tool round trip breaks a rule: %s %s\n", rule, detail.c_str());
    std::abort();
}

const TileSheets& bundledSheets() {
    static const TileSheets sheets = [] {
        TileSheets read;
        std::string error;
        if (!readTileSheets(std::string(VELLORAN_ASSETS_DIR) + "/Configuration.xml", read, error)) {
            fail("the bundled sheets do not load:", error);
        }
        return read;
    }();
    return sheets;
}

using Writer = bool (*)(ByteSink&, const LayerList&, const TiledLayout&, int, Progress&);
using Reader = bool (*)(const char*, size_t, TiledMap&, std::string&);
}  // namespace

void checkRefusal(const std::string& error) {
    if (error.empty() || error.size() > 300 || error.find('\n') != std::string::npos) {
        fail("a refusal that is not one short line:", error.substr(0, 300));
    }
}

void checkRoundTrip(const TiledMap& map) {
    const TileSheets& sheets = bundledSheets();
    LayerList layers;
    std::string error;
    Progress progress("", 1);
    if (!buildLayers(map, sheets, layers, error, progress)) {
        checkRefusal(error);
        return;
    }
    if (!namesAreText(layers, error)) fail("import takes a name export refuses:", error);
    const std::string imported = encodeMapLayers(layerPointers(layers));
    const TiledLayout layout = tiledLayout(layers, sheets, "/fuzz/out.tmx");
    const std::pair<Writer, Reader> forms[] = {{writeTmx, readTmx},
                                               {writeTiledJson, readTiledJson}};
    for (const auto& [write, read] : forms) {
        StringSink exported;
        if (!write(exported, layers, layout, sheets.tileCount, progress)) fail("export fails");
        TiledMap again;
        LayerList back;
        if (!read(exported.bytes.data(), exported.bytes.size(), again, error) ||
            !buildLayers(again, sheets, back, error, progress)) {
            fail("the tool's own export does not import:", error);
        }
        if (encodeMapLayers(layerPointers(back)) != imported) {
            fail("the map changes through export and import");
        }
    }
}
