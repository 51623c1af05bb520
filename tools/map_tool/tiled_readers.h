// Reading a TMX map, from its XML or its JSON form, into a TiledMap. The tile data is not copied:
// the map keeps pointers into `text`, which must outlive it.
#pragma once

#include <cstddef>
#include <string>

#include "tools/map_tool/tiled_map.h"

// False, with `error` saying what and where, for text that is not such a map.
bool readTmx(const char* text, size_t size, TiledMap& map, std::string& error);
bool readTiledJson(const char* text, size_t size, TiledMap& map, std::string& error);
