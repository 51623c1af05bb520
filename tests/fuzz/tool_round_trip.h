// The check the map tool's fuzz targets make of whatever their input imports to: it exports to
// TMX and to JSON and imports back to the same map, byte for byte, and every refusal on the way
// is one short line.
#pragma once

#include <string>

#include "maptool/tiled_map.h"

// Aborts, so the fuzzer keeps the input, when the message refusing it is not one short line.
void checkRefusal(const std::string& error);

// Imports `map` with the bundled tile sheets; when it imports, aborts on any difference after an
// export and an import through either form, or on a refusal of the tool's own output.
void checkRoundTrip(const TiledMap& map);
