// The map file's records as the codec writes them.
#include "io/map_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "map/layer_list.h"

// A record's name length is one byte. A longer name keeps its first 255 bytes, backing off to
// the start of a UTF-8 character, instead of the length's low byte of it.
TEST(MapRecordHeader, NameLongerThanItsLengthByteKeepsWholeCharactersUpTo255Bytes) {
    const struct {
        std::string name;
        size_t kept;
    } cases[] = {
        {std::string(255, 'a'), 255},
        {std::string(300, 'a'), 255},               // 300 & 0xFF would keep 44
        {std::string(254, 'a') + "\xC3\xA9", 254},  // é would be cut in half at 255
        {std::string(253, 'a') + "\xC3\xA9" + "bb", 255},
    };
    for (const auto& c : cases) {
        LayerList list;
        MapLayer* layer = createLayer(list, 1, 1, c.name, 0, 0);
        const std::string bytes = encodeMapLayers({layer});
        DecodedMap back =
            decodeMap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        ASSERT_EQ(back.layers.size(), 1u) << c.name.size();
        EXPECT_EQ(back.layers[0]->name, c.name.substr(0, c.kept)) << c.name.size();
    }
}
