// Decoding a tile layer's data: comma-separated gids (TMX CSV or a JSON array), or base64 of
// little-endian 32-bit gids, raw or compressed with zlib or gzip. Decoded piece by piece, never
// held whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Takes the gids in order, a run at a time: `count` of them, the first being gid number `first`
// of the layer. Returns false to stop (with its own error set).
using GidTarget = std::function<bool(long long first, const uint32_t* gids, size_t count)>;

// Hands exactly `count` gids to `target`. False, with `error` saying what is wrong with the data
// (too few or too many gids, bad characters, damaged compression), or when `target` stops.
bool decodeTileData(const char* begin, const char* end, const std::string& encoding,
                    const std::string& compression, long long count, const GidTarget& target,
                    std::string& error);
