// Fuzz target: importing a TMX file of arbitrary bytes, then the tool's round trip.
#include "maptool/tiled_readers.h"
#include "tests/fuzz/tool_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TiledMap map;
    std::string error;
    if (readTmx(reinterpret_cast<const char*>(data), size, map, error)) {
        checkRoundTrip(map);
    } else {
        checkRefusal(error);
    }
    return 0;
}
