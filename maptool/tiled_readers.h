// Reading a TMX map, from its XML or its JSON form, into a TiledMap. The tile data is not copied:
// the map keeps pointers into `text`, which must outlive it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "maptool/tiled_map.h"

// False, with `error` saying what and where, for text that is not such a map.
bool readTiledJson(const char* text, size_t size, TiledMap& map, std::string& error);
// The XML is parsed in `text` itself, which it overwrites in places; the tile data lies in it.
// A parse error names its line, counted by `lineOf` in the text as it was (the text left after
// parsing may have lost a line end or two), or in what is left without it.
bool readTmxInPlace(char* text, size_t size, TiledMap& map, std::string& error,
                    const std::function<long long(size_t offset)>& lineOf = {});
// The line, counted from 1, that the byte at `offset` of `text` is on.
long long lineAt(const char* text, size_t offset);
// The same for bytes that must stay as they are: the map keeps a copy to parse, and the tile
// data lies in that copy.
bool readTmx(const char* text, size_t size, TiledMap& map, std::string& error);
