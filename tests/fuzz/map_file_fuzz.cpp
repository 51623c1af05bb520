// Fuzz target: decoding a map file of arbitrary bytes. Whatever decodes must keep the rules the
// editor relies on, and must come back unchanged through a save and a second decoding.
#include <cstdio>
#include <cstdlib>

#include "io/map_codec.h"
#include "tests/fuzz/fuzz_editor.h"

namespace {
void fail(const char* rule) {
    std::fprintf(stderr, "decoded map breaks a rule: %s\n", rule);
    std::abort();
}

bool sameLayer(const MapLayer& a, const MapLayer& b) {
    if (a.name != b.name || a.width != b.width || a.height != b.height || a.offsetX != b.offsetX ||
        a.offsetY != b.offsetY || a.cellWidth != b.cellWidth || a.cellHeight != b.cellHeight ||
        a.number != b.number) {
        return false;
    }
    for (size_t i = 0; i < a.tiles.size(); ++i) {
        if (a.tiles[i] != b.tiles[i]) return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedMap map = decodeMap(data, size);
    if (map.kind == MapFileKind::Map && map.layers.empty()) fail("a map without layers");
    if (map.kind != MapFileKind::Map && !map.layers.empty()) fail("layers of a refused file");
    if (static_cast<long long>(map.layers.size()) > map.statedLayers)
        fail("more layers than stated");
    if (map.layers.size() > static_cast<size_t>(kMaxMapLayers))
        fail("more layers than the editor holds");
    std::vector<const MapLayer*> layers;
    for (const auto& layer : map.layers) {
        checkLayerRules(*layer);
        layers.push_back(layer.get());
    }
    if (layers.empty()) return 0;
    const std::string saved = encodeMapLayers(layers);
    DecodedMap again =
        decodeMap(reinterpret_cast<const unsigned char*>(saved.data()), saved.size());
    if (again.kind != MapFileKind::Map || again.layers.size() != map.layers.size()) {
        fail("a saved map does not open again");
    }
    for (size_t i = 0; i < map.layers.size(); ++i) {
        if (!sameLayer(*map.layers[i], *again.layers[i])) fail("a layer changes through a save");
    }
    return 0;
}
