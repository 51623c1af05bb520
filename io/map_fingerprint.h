// The fingerprint of a map: what a map file of its layers would hold (the layer count, each
// layer's record header and its tiles), folded into 64 bits, so that the editor can tell whether
// the map changed since it was opened or saved without keeping or writing a copy. The scroll
// positions are left out: looking around changes nothing of the map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "io/fingerprint_sink.h"
#include "map/map_layer.h"

// What one pass over a layer's tiles learns: their fingerprint and the highest tile.
struct TileFacts {
    uint64_t fingerprint = 0;
    uint16_t highestTile = 0;
};

// Gathers TileFacts piece by piece, while the tiles are still in the cache: Open learns them as
// it fills a layer from the file. `bytes` are the tiles as the file stores them
// (little-endian), `tiles` the same tiles as numbers.
class TileFactsGatherer {
public:
    void add(const unsigned char* bytes, const uint16_t* tiles, size_t count);
    TileFacts facts() const { return TileFacts{sink_.fingerprint(), highest_}; }

private:
    FingerprintSink sink_;
    uint16_t highest_ = 0;
};

// The fingerprint of a layer's tiles as a file holds them.
uint64_t tilesFingerprintOf(const MapLayer& layer);

// The fingerprint of a map file holding these layers in this order, whose tiles have the
// fingerprints given (one a layer, in the same order).
uint64_t mapFingerprint(const std::vector<const MapLayer*>& layers,
                        const std::vector<uint64_t>& tileFingerprints);

// The same, taking the tiles' fingerprints from the layers.
uint64_t mapFingerprint(const std::vector<const MapLayer*>& layers);
