// The map file format as a value: bytes to layers and back, apart from the editor and its
// windows. All integers are little-endian; a file is the layer count followed by one record per
// layer: name length (one byte), name, width, height, offsetX, offsetY, cell width, cell height
// (signed 32-bit each), then width x height 16-bit tiles, row by row.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "io/byte_sink.h"
#include "io/map_fingerprint.h"
#include "map/layer_list.h"

// What a decoded file turned out to be.
enum class MapFileKind {
    Map,            // a map: at least one layer was read in full
    NotAMap,        // too short for a layer count, or no layer could be read in full
    NoLayers,       // a map file that states no layers
    TooManyLayers,  // states more layers than the editor works with
};

struct DecodedMap {
    MapFileKind kind = MapFileKind::NotAMap;
    long long statedLayers = 0;    // the layer count the file states (0 when negative)
    LayerList layers;              // the records read in full, in file order, numbered from 1
    std::vector<TileFacts> facts;  // what reading each layer's tiles learnt, one a layer
};

// Where a map file's bytes come from, front to back: memory, or a file read in pieces.
class MapBytes {
public:
    virtual ~MapBytes() = default;
    // The bytes not handed out yet.
    virtual size_t left() const = 0;
    // The next `count` bytes (at most kMapBytesPiece), valid until the next call; null when
    // fewer are left or they cannot be read.
    virtual const unsigned char* next(size_t count) = 0;
};

// The most bytes decoding asks for at once.
constexpr size_t kMapBytesPiece = size_t{64} << 10;

// A map file's bytes held in memory.
class MemoryMapBytes : public MapBytes {
public:
    MemoryMapBytes(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    size_t left() const override { return size_ - at_; }
    const unsigned char* next(size_t count) override {
        if (count > left()) return nullptr;
        at_ += count;
        return data_ + at_ - count;
    }

private:
    const unsigned char* data_;
    size_t size_;
    size_t at_ = 0;
};

// Decodes a map file held in memory. Reading stops at the first record that is cut short or
// damaged (a side or a cell count beyond one layer, tiles missing), keeping the records before
// it. Nothing is allocated for a record before its tiles are known to be in the data; negative
// sizes count as 0, scroll positions are pulled inside the layer and cell sizes the view cannot
// draw become 16. More than `maxLayers` stated layers are not read at all.
DecodedMap decodeMap(const unsigned char* data, size_t size, int maxLayers = kMaxMapLayers);
// The same, from bytes handed out a piece at a time: a file needs no copy of its own, only the
// layers it fills.
DecodedMap decodeMap(MapBytes& bytes, int maxLayers = kMaxMapLayers);

// Writes a map file holding these layers, in this order, into `sink` in large pieces; false as
// soon as the sink refuses one.
bool writeMapLayers(ByteSink& sink, const std::vector<const MapLayer*>& layers);

// Writes the layer's tiles as a file holds them (little-endian, row by row) into `sink`.
bool writeLayerTiles(ByteSink& sink, const MapLayer& layer);

// The most bytes a record header takes: the name's length, the name, six numbers.
constexpr size_t kMaxRecordHeaderBytes = 1 + 255 + 6 * 4;
// Writes the layer's record header as a file holds it into `out`; returns its length. A name
// longer than 255 bytes is cut to as many whole UTF-8 characters as fit.
size_t encodeRecordHeader(const MapLayer& layer, unsigned char* out);

// The bytes of a map file holding these layers, in this order.
std::string encodeMapLayers(const std::vector<const MapLayer*>& layers);
