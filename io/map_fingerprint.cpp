// Fingerprints of tiles and of whole maps.
#include "io/map_fingerprint.h"

#include <algorithm>

#include "io/map_codec.h"
#include "map/cell_access.h"

void TileFactsGatherer::add(const unsigned char* bytes, const uint16_t* tiles, size_t count) {
    sink_.write(bytes, count * 2);
    highest_ = std::max(highest_, highestTile(tiles, count));
}

TileFacts tileFactsOf(const MapLayer& layer) {
    // The tiles in memory are the file's bytes on a little-endian machine; elsewhere they are
    // put in the file's order a piece at a time.
    TileFactsGatherer gatherer;
    constexpr size_t kPiece = 32768;
    unsigned char bytes[kPiece * 2];
    for (size_t first = 0; first < layer.tiles.size(); first += kPiece) {
        const size_t n = std::min(kPiece, layer.tiles.size() - first);
        const uint16_t* tiles = layer.tiles.data() + first;
        if (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
            gatherer.add(reinterpret_cast<const unsigned char*>(tiles), tiles, n);
            continue;
        }
        for (size_t i = 0; i < n; ++i) {
            bytes[2 * i] = static_cast<unsigned char>(tiles[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<unsigned char>(tiles[i] >> 8);
        }
        gatherer.add(bytes, tiles, n);
    }
    return gatherer.facts();
}

uint64_t mapFingerprint(const std::vector<const MapLayer*>& layers,
                        const std::vector<uint64_t>& tileFingerprints) {
    FingerprintSink sink;
    const int32_t count = static_cast<int32_t>(layers.size());
    sink.write(&count, sizeof count);
    for (size_t i = 0; i < layers.size(); ++i) {
        unsigned char header[kMaxRecordHeaderBytes];
        sink.write(header, encodeRecordHeader(*layers[i], header));
        const uint64_t tiles = i < tileFingerprints.size() ? tileFingerprints[i] : 0;
        sink.write(&tiles, sizeof tiles);
    }
    return sink.fingerprint();
}

uint64_t mapFingerprint(const std::vector<const MapLayer*>& layers) {
    std::vector<uint64_t> tileFingerprints;
    for (const MapLayer* layer : layers)
        tileFingerprints.push_back(tileFactsOf(*layer).fingerprint);
    return mapFingerprint(layers, tileFingerprints);
}
