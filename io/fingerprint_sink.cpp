// The fingerprint: every 8 bytes are multiplied into the state with a rotation between words,
// which mixes each bit into the whole state (the mixing constants are the usual 64-bit odd
// multipliers of hash functions).
#include "io/fingerprint_sink.h"

#include <cstring>

namespace {
constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
constexpr uint64_t kFinal = 0xC2B2AE3D27D4EB4Fu;

uint64_t rotateLeft(uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}
}  // namespace

void FingerprintSink::mix(uint64_t word) {
    state_ = rotateLeft(state_ ^ (word * kMultiplier), 29) * kFinal;
}

bool FingerprintSink::write(const void* data, size_t size) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    size_ += size;
    while (size > 0 && pendingBytes_ > 0) {
        pending_ |= static_cast<uint64_t>(*bytes++) << (8 * pendingBytes_);
        --size;
        if (++pendingBytes_ == 8) {
            mix(pending_);
            pending_ = 0;
            pendingBytes_ = 0;
        }
    }
    for (; size >= 8; size -= 8, bytes += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes, 8);
        mix(word);
    }
    for (; size > 0; --size) {
        pending_ |= static_cast<uint64_t>(*bytes++) << (8 * pendingBytes_);
        ++pendingBytes_;
    }
    return true;
}

uint64_t FingerprintSink::fingerprint() const {
    uint64_t state = state_ ^ (pending_ * kMultiplier) ^ (size_ * kFinal);
    state ^= state >> 33;
    state *= kMultiplier;
    state ^= state >> 29;
    return state;
}
