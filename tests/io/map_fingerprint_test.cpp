// The map's fingerprint: what Open learns while reading must equal what the layers give later,
// or an untouched map would ask to be saved; and every change a file would show must show.
#include "io/map_fingerprint.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "io/map_codec.h"
#include "map/layer_list.h"

namespace {
struct TwoLayers {
    LayerList list;
    TwoLayers() {
        // 60,000 cells: more than one piece of reading.
        MapLayer* big = createLayer(list, 300, 200, "Ground", 1, 7);
        big->offsetX = 12;
        createLayer(list, 3, 2, "Props", 1, 600)->cellWidth = 24;
    }
    std::vector<const MapLayer*> layers() const {
        std::vector<const MapLayer*> out;
        for (const auto& layer : list) out.push_back(layer.get());
        return out;
    }
};
}  // namespace

TEST(MapFingerprint, OpeningLearnsTheFingerprintAndHighestTileTheLayersGive) {
    TwoLayers map;
    const std::string bytes = encodeMapLayers(map.layers());
    DecodedMap decoded =
        decodeMap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_EQ(decoded.layers.size(), 2u);
    ASSERT_EQ(decoded.facts.size(), 2u);
    std::vector<const MapLayer*> opened;
    std::vector<uint64_t> learnt;
    for (size_t i = 0; i < 2; ++i) {
        opened.push_back(decoded.layers[i].get());
        learnt.push_back(decoded.facts[i].fingerprint);
        EXPECT_EQ(decoded.facts[i].fingerprint, tilesFingerprintOf(*map.layers()[i]));
    }
    EXPECT_EQ(decoded.facts[0].highestTile, (7 + 59999) & 0xFFFF);
    EXPECT_EQ(decoded.facts[1].highestTile, 605);
    EXPECT_EQ(mapFingerprint(opened, learnt), mapFingerprint(map.layers()));
}

// Every change to the map a file would show, except the scroll position: where the view stands
// is no change to the map.
TEST(MapFingerprint, EveryChangeAFileWouldShowChangesTheFingerprintButScrolling) {
    const std::pair<const char*, std::function<void(TwoLayers&)>> changes[] = {
        {"first tile", [](TwoLayers& m) { m.list[0]->tiles[0] = 1; }},
        {"a tile in the second piece", [](TwoLayers& m) { m.list[0]->tiles[40000] = 1; }},
        {"last tile", [](TwoLayers& m) { m.list[1]->tiles[5] = 1; }},
        {"name", [](TwoLayers& m) { m.list[1]->name = "Prop"; }},
        {"cell size", [](TwoLayers& m) { m.list[1]->cellHeight = 17; }},
        {"order", [](TwoLayers& m) { std::swap(m.list[0], m.list[1]); }},
        {"a layer fewer", [](TwoLayers& m) { m.list.pop_back(); }},
        {"tiles swapped",
         [](TwoLayers& m) { std::swap(m.list[1]->tiles[0], m.list[1]->tiles[1]); }},
    };
    std::set<uint64_t> seen{mapFingerprint(TwoLayers().layers())};
    for (const auto& [what, change] : changes) {
        TwoLayers map;
        change(map);
        EXPECT_TRUE(seen.insert(mapFingerprint(map.layers())).second) << what;
    }
    TwoLayers scrolled;
    scrolled.list[0]->offsetX = 3;
    scrolled.list[1]->offsetY = 1;
    EXPECT_EQ(mapFingerprint(scrolled.layers()), mapFingerprint(TwoLayers().layers()));
}
