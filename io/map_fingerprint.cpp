// Fingerprints of tiles and of whole maps.
#include "io/map_fingerprint.h"

#include <algorithm>
#include <cstring>

#include "io/map_codec.h"
#include "map/cell_access.h"

void TileFactsGatherer::add(const unsigned char* bytes, const uint16_t* tiles, size_t count) {
    sink_.write(bytes, count * 2);
    highest_ = std::max(highest_, highestTile(tiles, count));
}

uint64_t tilesFingerprintOf(const MapLayer& layer) {
    FingerprintSink sink;
    writeLayerTiles(sink, layer);
    return sink.fingerprint();
}

uint64_t mapFingerprint(const std::vector<const MapLayer*>& layers,
                        const std::vector<uint64_t>& tileFingerprints) {
    FingerprintSink sink;
    const int32_t count = static_cast<int32_t>(layers.size());
    sink.write(&count, sizeof count);
    for (size_t i = 0; i < layers.size(); ++i) {
        unsigned char header[kMaxRecordHeaderBytes];
        const size_t length = encodeRecordHeader(*layers[i], header);
        // Where the view stands is no change to the map: the scroll position (the two numbers
        // before the cell size) is left out, though a file keeps it.
        std::memset(header + length - 4 * 4, 0, 2 * 4);
        sink.write(header, length);
        const uint64_t tiles = i < tileFingerprints.size() ? tileFingerprints[i] : 0;
        sink.write(&tiles, sizeof tiles);
    }
    return sink.fingerprint();
}

uint64_t mapFingerprint(const std::vector<const MapLayer*>& layers) {
    std::vector<uint64_t> tileFingerprints;
    for (const MapLayer* layer : layers) tileFingerprints.push_back(tilesFingerprintOf(*layer));
    return mapFingerprint(layers, tileFingerprints);
}
