// The fingerprint that tells whether the map changed since it was saved.
#include "io/fingerprint_sink.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
uint64_t fingerprintInPieces(const std::string& bytes, size_t piece) {
    FingerprintSink sink;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        sink.write(bytes.data() + at, std::min(piece, bytes.size() - at));
    }
    return sink.fingerprint();
}
}  // namespace

TEST(FingerprintSink, SameBytesInAnyPiecesGiveOneFingerprintAndAnyChangeAnother) {
    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 7 + i / 13));
    const uint64_t whole = fingerprintInPieces(bytes, bytes.size());
    for (size_t piece : {1, 3, 7, 8, 9, 64, 999}) {
        EXPECT_EQ(fingerprintInPieces(bytes, piece), whole) << piece;
    }
    std::set<uint64_t> seen{whole};
    for (size_t bit = 0; bit < bytes.size() * 8; bit += 61) {
        std::string changed = bytes;
        changed[bit / 8] = static_cast<char>(changed[bit / 8] ^ (1 << (bit % 8)));
        EXPECT_TRUE(seen.insert(fingerprintInPieces(changed, 5)).second) << bit;
    }
    // A zero byte more or less is a change too, though zeros mix in as nothing.
    EXPECT_TRUE(seen.insert(fingerprintInPieces(bytes + std::string(1, '\0'), 4)).second);
    EXPECT_TRUE(seen.insert(fingerprintInPieces(bytes.substr(0, 999), 4)).second);
    FingerprintSink counted;
    counted.write(bytes.data(), 10);
    counted.write(bytes.data(), 7);
    counted.write(nullptr, 0);  // an empty layer's tiles
    EXPECT_EQ(counted.size(), 17u);
}
