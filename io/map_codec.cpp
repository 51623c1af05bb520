// Decoding and encoding map files.
#include "io/map_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

namespace {
// Reads the file front to back; every read says whether the data held what it asked for.
class ByteReader {
public:
    ByteReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    size_t left() const { return size_ - at_; }

    bool int32(int32_t& value) {
        if (left() < 4) return false;
        const unsigned char* b = data_ + at_;
        value = static_cast<int32_t>(
            static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
            static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
        at_ += 4;
        return true;
    }

    bool bytes(size_t count, const unsigned char*& start) {
        if (left() < count) return false;
        start = data_ + at_;
        at_ += count;
        return true;
    }

private:
    const unsigned char* data_;
    size_t size_;
    size_t at_ = 0;
};

// The file's tiles are little-endian 16-bit numbers: on a little-endian machine they are the
// bytes of the layer's tile array.
constexpr bool kLittleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// Walks the file's little-endian 16-bit tiles as numbers, so that a layer's tile array is filled
// straight from the file in one pass (a zero-filled array that is then overwritten would be
// written twice).
class FileTiles {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = uint16_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const uint16_t*;
    using reference = uint16_t;

    explicit FileTiles(const unsigned char* at) : at_(at) {}
    uint16_t operator*() const {
        if (kLittleEndianHost) {
            uint16_t tile;
            std::memcpy(&tile, at_, 2);
            return tile;
        }
        return static_cast<uint16_t>(at_[0] | at_[1] << 8);
    }
    FileTiles& operator++() {
        at_ += 2;
        return *this;
    }
    FileTiles operator++(int) {
        FileTiles before = *this;
        at_ += 2;
        return before;
    }
    FileTiles& operator--() {
        at_ -= 2;
        return *this;
    }
    FileTiles& operator+=(difference_type n) {
        at_ += 2 * n;
        return *this;
    }
    FileTiles operator+(difference_type n) const { return FileTiles(at_ + 2 * n); }
    difference_type operator-(const FileTiles& other) const { return (at_ - other.at_) / 2; }
    bool operator==(const FileTiles& other) const { return at_ == other.at_; }
    bool operator!=(const FileTiles& other) const { return at_ != other.at_; }

private:
    const unsigned char* at_;
};

const size_t kRecordHeaderBytes = 1 + 6 * 4;

// Cell sizes a file may hold that the view cannot draw fall back to the usual 16 pixels.
int sanitisedCellSize(int32_t size) {
    return size >= 1 && size <= 1024 ? size : kTileEdge;
}

int clampOffset(int32_t offset, int cells) {
    if (offset < 0) return 0;
    return offset >= cells ? (cells > 0 ? cells - 1 : 0) : offset;
}

// Tiles are read from the file a piece at a time, and each piece is fingerprinted and searched
// for its highest tile while it is still in the cache.
constexpr size_t kTilesPerReadPiece = 32768;

// One record into a new layer, or null when the record is cut short or damaged.
std::unique_ptr<MapLayer> readRecord(ByteReader& in, TileFacts& facts) {
    const unsigned char* length = nullptr;
    if (!in.bytes(1, length)) return nullptr;
    const unsigned char* stored = nullptr;
    if (!in.bytes(*length, stored)) return nullptr;
    int32_t width = 0, height = 0, offsetX = 0, offsetY = 0, cellWidth = 0, cellHeight = 0;
    if (!in.int32(width) || !in.int32(height) || !in.int32(offsetX) || !in.int32(offsetY) ||
        !in.int32(cellWidth) || !in.int32(cellHeight)) {
        return nullptr;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    // A side longer than a whole layer may hold is damage even when the other side is 0: the
    // view and the scroll limits count in cells along each side.
    if (width > kMaxLayerCells || height > kMaxLayerCells) return nullptr;
    const long long cells = static_cast<long long>(width) * height;
    if (cells > kMaxLayerCells || static_cast<long long>(in.left()) < cells * 2) return nullptr;
    const unsigned char* tiles = nullptr;
    in.bytes(static_cast<size_t>(cells) * 2, tiles);

    auto layer = std::make_unique<MapLayer>();
    // A name stored with a zero byte ends there, as it would on the screen.
    layer->name.assign(reinterpret_cast<const char*>(stored),
                       strnlen(reinterpret_cast<const char*>(stored), *length));
    layer->width = width;
    layer->height = height;
    layer->offsetX = clampOffset(offsetX, width);
    layer->offsetY = clampOffset(offsetY, height);
    layer->cellWidth = sanitisedCellSize(cellWidth);
    layer->cellHeight = sanitisedCellSize(cellHeight);
    reserveTiles(layer->tiles, static_cast<size_t>(cells));
    TileFactsGatherer gatherer;
    for (size_t first = 0; first < static_cast<size_t>(cells); first += kTilesPerReadPiece) {
        const size_t n = std::min(kTilesPerReadPiece, static_cast<size_t>(cells) - first);
        const unsigned char* bytes = tiles + 2 * first;
        layer->tiles.insert(layer->tiles.end(), FileTiles(bytes), FileTiles(bytes + 2 * n));
        gatherer.add(bytes, layer->tiles.data() + first, n);
    }
    facts = gatherer.facts();
    return layer;
}

void putInt32(unsigned char* out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    out[0] = static_cast<unsigned char>(v & 0xFF);
    out[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
    out[2] = static_cast<unsigned char>((v >> 16) & 0xFF);
    out[3] = static_cast<unsigned char>(v >> 24);
}

// On other machines tiles are written through a buffer of this many cells.
constexpr size_t kTilesPerPiece = 32768;
}  // namespace

DecodedMap decodeMap(const unsigned char* data, size_t size, int maxLayers) {
    DecodedMap map;
    ByteReader in(data, size);
    int32_t count = 0;
    if (!in.int32(count)) return map;
    map.statedLayers = count < 0 ? 0 : count;
    if (map.statedLayers == 0) {
        map.kind = MapFileKind::NoLayers;
        return map;
    }
    if (map.statedLayers > maxLayers) {
        // Only a file long enough for that many records is a map with too many layers; any
        // other file merely starts with a large number (a picture, say).
        const bool roomForAll =
            static_cast<long double>(map.statedLayers) * kRecordHeaderBytes <= in.left();
        map.kind = roomForAll ? MapFileKind::TooManyLayers : MapFileKind::NotAMap;
        return map;
    }
    for (long long record = 0; record < map.statedLayers; ++record) {
        TileFacts facts;
        std::unique_ptr<MapLayer> layer = readRecord(in, facts);
        if (!layer) break;
        layer->number = static_cast<int>(record) + 1;
        map.layers.push_back(std::move(layer));
        map.facts.push_back(facts);
    }
    map.kind = map.layers.empty() ? MapFileKind::NotAMap : MapFileKind::Map;
    return map;
}

size_t encodeRecordHeader(const MapLayer& layer, unsigned char* out) {
    // The length is one byte: a longer name (a layer name set in the configuration may be) keeps
    // its first 255 bytes, never half a UTF-8 character.
    size_t nameLength = std::min<size_t>(layer.name.size(), 255);
    while (nameLength < layer.name.size() && nameLength > 0 &&
           (static_cast<unsigned char>(layer.name[nameLength]) & 0xC0) == 0x80) {
        --nameLength;
    }
    out[0] = static_cast<unsigned char>(nameLength);
    std::memcpy(out + 1, layer.name.data(), nameLength);
    unsigned char* at = out + 1 + nameLength;
    for (int32_t value : {layer.width, layer.height, layer.offsetX, layer.offsetY, layer.cellWidth,
                          layer.cellHeight}) {
        putInt32(at, value);
        at += 4;
    }
    return static_cast<size_t>(at - out);
}

bool writeLayerTiles(ByteSink& sink, const MapLayer& layer) {
    const size_t cells = layer.tiles.size();
    if (cells == 0) return true;  // an empty layer's array may have no memory at all
    if (kLittleEndianHost) return sink.write(layer.tiles.data(), cells * 2);
    unsigned char piece[kTilesPerPiece * 2];
    for (size_t first = 0; first < cells; first += kTilesPerPiece) {
        const size_t n = std::min(kTilesPerPiece, cells - first);
        unsigned char* out = piece;
        for (size_t i = 0; i < n; ++i) {
            const uint16_t tile = layer.tiles[first + i];
            *out++ = static_cast<unsigned char>(tile & 0xFF);
            *out++ = static_cast<unsigned char>(tile >> 8);
        }
        if (!sink.write(piece, n * 2)) return false;
    }
    return true;
}

bool writeMapLayers(ByteSink& sink, const std::vector<const MapLayer*>& layers) {
    unsigned char count[4];
    putInt32(count, static_cast<int32_t>(layers.size()));
    if (!sink.write(count, 4)) return false;
    for (const MapLayer* layer : layers) {
        unsigned char header[kMaxRecordHeaderBytes];
        if (!sink.write(header, encodeRecordHeader(*layer, header))) return false;
        if (!writeLayerTiles(sink, *layer)) return false;
    }
    return true;
}

std::string encodeMapLayers(const std::vector<const MapLayer*>& layers) {
    StringSink sink;
    writeMapLayers(sink, layers);
    return std::move(sink.bytes);
}
