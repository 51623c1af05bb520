// Decoding a tile layer's data: comma-separated gids (TMX CSV or a JSON array), or base64 of
// little-endian 32-bit gids, raw or compressed with zlib or gzip. Decoded piece by piece, never
// held whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Takes each gid in order with its index; returns false to stop (with its own error set).
using GidTarget = std::function<bool(long long index, uint32_t gid)>;

// Hands exactly `count` gids to `target`. False, with `error` saying what is wrong with the data
// (too few or too many gids, bad characters, damaged compression), or when `target` stops.
bool decodeTileData(const char* begin, const char* end, const std::string& encoding,
                    const std::string& compression, long long count, const GidTarget& target,
                    std::string& error);
