// Spelling tile rows, on a second thread while the first writes.
#include "maptool/tile_rows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "maptool/ordered_work.h"
#include "maptool/tiled_layout.h"

namespace {
// Cells spelled at a time: about a megabyte of text.
constexpr long long kCellsPerPiece = 1 << 18;
// The longest number a cell is spelled as ("65536", the highest gid) and its comma.
constexpr size_t kMostPerCell = 6;

// Every number a cell can be spelled as, spelled once, eight bytes each: a number is copied
// whole and the text moves on by its length.
struct Spellings {
    char text[65537][8] = {};
    unsigned char length[65537] = {};
    Spellings() {
        for (unsigned n = 0; n <= 65536; ++n) {
            const std::string digits = std::to_string(n);
            length[n] = static_cast<unsigned char>(digits.size());
            digits.copy(text[n], digits.size());
        }
    }
};

// Text made in memory that is used again from piece to piece.
struct Text {
    std::string bytes;  // never shrinks: growing it again would clear it again
    size_t length = 0;
};

// The text of rows [first, end) of the layer.
template <typename NumberOf>
void spellRows(const MapLayer& layer, NumberOf numberOf, bool commaAfterRow, const char* rowEnd,
               int first, int end, Text& out) {
    static const Spellings spellings;
    const size_t width = static_cast<size_t>(layer.width);
    const size_t endLength = std::strlen(rowEnd);
    // Room for the longest spelling of every cell, and for the last eight-byte copy.
    const size_t room = (width * kMostPerCell + endLength) * static_cast<size_t>(end - first) + 8;
    if (out.bytes.size() < room) out.bytes.resize(room);
    char* at = &out.bytes[0];
    for (int y = first; y < end; ++y) {
        const uint16_t* tiles = layer.tiles.data() + static_cast<size_t>(y) * width;
        for (size_t x = 0; x < width; ++x) {
            const unsigned number = numberOf(tiles[x]);
            std::memcpy(at, spellings.text[number], 8);
            at += spellings.length[number];
            *at++ = ',';
        }
        if (width > 0 && (!commaAfterRow || y + 1 == layer.height)) --at;
        std::memcpy(at, rowEnd, endLength);
        at += endLength;
    }
    out.length = static_cast<size_t>(at - out.bytes.data());
}

void spellPiece(const MapLayer& layer, RowStyle style, int tileCount, const char* rowEnd, int first,
                int end, Text& out) {
    if (style == RowStyle::Gids) {
        spellRows(
            layer, [tileCount](uint16_t tile) { return gidOf(tile, tileCount); }, true, rowEnd,
            first, end, out);
    } else {
        spellRows(
            layer, [](uint16_t tile) { return static_cast<unsigned>(tile); }, false, rowEnd, first,
            end, out);
    }
}
}  // namespace

bool writeTileRows(ByteSink& sink, const MapLayer& layer, RowStyle style, int tileCount,
                   const char* rowEnd, Progress& progress) {
    const int rowsPerPiece =
        static_cast<int>(std::max(1LL, kCellsPerPiece / std::max(1, layer.width)));
    const int pieces = (layer.height + rowsPerPiece - 1) / rowsPerPiece;
    // The piece being written and the two made next.
    std::array<Text, 3> texts;
    return makeAndUseInOrder(
        static_cast<size_t>(pieces), texts.size() - 1,
        [&](size_t k) {
            const int first = static_cast<int>(k) * rowsPerPiece;
            spellPiece(layer, style, tileCount, rowEnd, first,
                       std::min(layer.height, first + rowsPerPiece), texts[k % texts.size()]);
            return true;
        },
        [&](size_t k) {
            const Text& text = texts[k % texts.size()];
            if (!sink.write(text.bytes.data(), text.length)) return false;
            const int first = static_cast<int>(k) * rowsPerPiece;
            progress.advance(static_cast<long long>(layer.width) *
                             (std::min(layer.height, first + rowsPerPiece) - first));
            return true;
        });
}
