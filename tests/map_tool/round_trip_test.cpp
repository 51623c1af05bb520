// Export then import gives the map back byte for byte, through TMX and through JSON, and tile
// data in every encoding the importer reads decodes to the same tiles.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "io/map_codec.h"
#include "maptool/map_input.h"
#include "maptool/tile_data.h"
#include "maptool/tiled_import.h"
#include "maptool/tiled_readers.h"
#include "maptool/tiled_writers.h"
#include "tests/map_tool/map_tool_support.h"

namespace {
struct GeneratedMap {
    const char* what;
    std::function<void(LayerList&)> build;
};

std::vector<int> pattern(int cells, int tileCount, int seed) {
    std::vector<int> tiles;
    for (int i = 0; i < cells; ++i) tiles.push_back((i * 7 + seed) % tileCount);
    return tiles;
}

const std::vector<GeneratedMap>& generatedMaps() {
    static const std::vector<GeneratedMap> maps = {
        {"one cell", [](LayerList& l) { addLayer(l, "Map1", 1, 1, {0}); }},
        {"nine layers of odd sizes, cell sizes and scroll positions",
         [](LayerList& l) {
             const int sizes[9][4] = {{7, 5, 16, 16},  {33, 17, 20, 12}, {1, 9, 1, 1},
                                      {9, 1, 1024, 3}, {0, 3, 16, 16},   {4, 0, 16, 16},
                                      {2, 3, 17, 31},  {5, 5, 16, 16},   {3, 2, 8, 8}};
             for (int i = 0; i < 9; ++i) {
                 const int w = sizes[i][0], h = sizes[i][1];
                 addLayer(l, "Layer " + std::to_string(i + 1), w, h, pattern(w * h, 10, i),
                          sizes[i][2], sizes[i][3], w > 0 ? w - 1 : 0, h > 0 ? h / 2 : 0);
             }
         }},
        // Slip caught: the pieces of a big layer's text joined out of order or without a comma.
        {"a layer written in several pieces, made on two threads",
         [](LayerList& l) { addLayer(l, "Big", 900, 700, pattern(900 * 700, 12, 5)); }},
        {"markers, repeated and out of order, next to every kind of tile",
         [](LayerList& l) {
             addLayer(l, "Ground", 6, 4, pattern(24, 10, 3));
             addLayer(
                 l, "Marks & <names> \"quoted\" ünïcode", 6, 4,
                 {1, 12, 1, 10, 1, 9, 11, 1, 1, 1, 12, 1, 65535, 0, 1, 1, 1, 1, 1, 1, 13, 1, 1, 1},
                 20, 12, 5, 3);
             addLayer(l, "One marker", 3, 3, {1, 1, 1, 1, 10, 1, 1, 1, 1}, 9, 9);
         }},
    };
    return maps;
}

using Writer = bool (*)(ByteSink&, const LayerList&, const TiledLayout&, int, Progress&);
using Reader = bool (*)(const char*, size_t, TiledMap&, std::string&);

std::string mapBytes(const LayerList& layers) {
    return encodeMapLayers(layerPointers(layers));
}

// The map file the export of `layers` imports back to, or "" with a failure recorded.
std::string roundTrip(const LayerList& layers, Writer write, Reader read) {
    const TileSheets sheets = testSheets();
    StringSink out;
    Progress progress("", 1);
    const TiledLayout layout = tiledLayout(layers, sheets, "/maps/out.tmx");
    EXPECT_TRUE(write(out, layers, layout, sheets.tileCount, progress));
    TiledMap map;
    std::string error;
    EXPECT_TRUE(read(out.bytes.data(), out.bytes.size(), map, error)) << error;
    LayerList back;
    EXPECT_TRUE(buildLayers(map, sheets, back, error, progress)) << error << "\n" << out.bytes;
    return mapBytes(back);
}
}  // namespace

TEST(MapToolRoundTrip, TmxAndJsonGiveTheMapBackByteForByte) {
    for (const GeneratedMap& generated : generatedMaps()) {
        LayerList layers;
        generated.build(layers);
        const std::string original = mapBytes(layers);
        EXPECT_EQ(roundTrip(layers, writeTmx, readTmx), original) << "TMX: " << generated.what;
        EXPECT_EQ(roundTrip(layers, writeTiledJson, readTiledJson), original)
            << "JSON: " << generated.what;
    }
}

namespace {
std::string base64(const std::string& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t v = static_cast<uint8_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<uint8_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<uint8_t>(bytes[i + 2]);
        out.push_back(digits[v >> 18]);
        out.push_back(digits[(v >> 12) & 63]);
        out.push_back(i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? digits[v & 63] : '=');
        if (out.size() % 77 == 76) out.push_back('\n');  // line breaks inside are allowed
    }
    return out;
}

// zlib (windowBits 15) or gzip (31) compression of `bytes`.
std::string compressed(const std::string& bytes, int windowBits) {
    z_stream zip{};
    deflateInit2(&zip, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zip, bytes.size()) + 32, '\0');
    zip.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    zip.avail_in = static_cast<uInt>(bytes.size());
    zip.next_out = reinterpret_cast<Bytef*>(&out[0]);
    zip.avail_out = static_cast<uInt>(out.size());
    deflate(&zip, Z_FINISH);
    out.resize(zip.total_out);
    deflateEnd(&zip);
    return out;
}
}  // namespace

TEST(MapToolTileData, EveryEncodingDecodesToTheSameGids) {
    // Enough gids that compressed data spans several of the decoder's buffers.
    std::vector<uint32_t> gids;
    for (uint32_t i = 0; i < 70000; ++i) gids.push_back((i * 2654435761u) >> 8);
    std::string csv, raw;
    for (size_t i = 0; i < gids.size(); ++i) {
        csv += (i ? (i % 100 == 0 ? ",\n" : ",") : "") + std::to_string(gids[i]);
        for (int b = 0; b < 4; ++b) raw.push_back(static_cast<char>(gids[i] >> (8 * b)));
    }
    const std::string json = "[ " + csv + " ]";
    // JSON may write the slash of base64 as "\/".
    std::string escaped;
    for (char c : base64(raw)) escaped += c == '/' ? std::string("\\/") : std::string(1, c);
    const struct {
        const char* what;
        std::string data;
        const char* encoding;
        const char* compression;
    } cases[] = {
        {"csv", csv, "csv", ""},
        {"json array", json, "csv", ""},
        {"base64", base64(raw), "base64", ""},
        {"base64 with escaped slashes", escaped, "base64", ""},
        {"base64 zlib", base64(compressed(raw, 15)), "base64", "zlib"},
        {"base64 gzip", base64(compressed(raw, 31)), "base64", "gzip"},
    };
    for (const auto& c : cases) {
        std::vector<uint32_t> decoded;
        std::string error;
        const bool ok = decodeTileData(
            c.data.data(), c.data.data() + c.data.size(), c.encoding, c.compression,
            static_cast<long long>(gids.size()),
            [&](long long, const uint32_t* run, size_t n) {
                decoded.insert(decoded.end(), run, run + n);
                return true;
            },
            error);
        EXPECT_TRUE(ok) << c.what << ": " << error;
        EXPECT_EQ(decoded, gids) << c.what;
        // One tile short of the layer is refused, never padded.
        decoded.clear();
        EXPECT_FALSE(decodeTileData(
            c.data.data(), c.data.data() + c.data.size(), c.encoding, c.compression,
            static_cast<long long>(gids.size()) + 1,
            [](long long, const uint32_t*, size_t) { return true; }, error))
            << c.what;
    }
}

TEST(MapToolImport, EmptyCellsBecomeSeeThroughAndMapDefaultsFillMissingProperties) {
    // As another tool leaves a map: a cell erased to gid 0, no properties of ours, a map tile
    // size of 8 x 24 for the cells.
    const std::string text =
        "<map orientation=\"orthogonal\" tilewidth=\"8\" tileheight=\"24\">"
        "<tileset firstgid=\"1\" tilewidth=\"16\" tileheight=\"16\"/>"
        "<tileset firstgid=\"5\" tilewidth=\"16\" tileheight=\"16\"/>"
        "<layer name=\"Edited\" width=\"3\" height=\"1\"><data encoding=\"csv\">0,5,10</data>"
        "</layer></map>";
    TiledMap map;
    std::string error;
    ASSERT_TRUE(readTmx(text.data(), text.size(), map, error)) << error;
    LayerList layers;
    Progress progress("", 1);
    ASSERT_TRUE(buildLayers(map, testSheets(), layers, error, progress)) << error;
    ASSERT_EQ(layers.size(), 1u);
    const MapLayer& layer = *layers[0];
    EXPECT_EQ((std::vector<int>{tileAt(layer, 0, 0), tileAt(layer, 1, 0), tileAt(layer, 2, 0)}),
              (std::vector<int>{1, 4, 9}));
    EXPECT_EQ(layer.cellWidth, 8);
    EXPECT_EQ(layer.cellHeight, 24);
    EXPECT_EQ(layer.offsetX, 0);
}
