// The fingerprint: every 8-byte word is multiplied into its lane with a rotation between words,
// which spreads each bit over the lane; the lanes, the bytes left over and the length are mixed
// together at the end. The constants are the usual odd 64-bit multipliers of hash functions.
#include "io/fingerprint_sink.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
constexpr uint64_t kFinal = 0xC2B2AE3D27D4EB4Fu;

uint64_t rotateLeft(uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

uint64_t mixWord(uint64_t lane, uint64_t word) {
    return rotateLeft(lane ^ (word * kMultiplier), 29) * kFinal;
}
}  // namespace

void FingerprintSink::mixStripe(const unsigned char* stripe) {
    for (int lane = 0; lane < kLanes; ++lane) {
        uint64_t word = 0;
        std::memcpy(&word, stripe + 8 * lane, 8);
        lanes_[lane] = mixWord(lanes_[lane], word);
    }
}

bool FingerprintSink::write(const void* data, size_t size) {
    if (size == 0) return true;  // `data` may be null then
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    size_ += size;
    if (pendingBytes_ > 0) {
        const size_t take = std::min(size, static_cast<size_t>(kStripeBytes - pendingBytes_));
        std::memcpy(pending_ + pendingBytes_, bytes, take);
        pendingBytes_ += static_cast<int>(take);
        bytes += take;
        size -= take;
        if (pendingBytes_ < kStripeBytes) return true;
        mixStripe(pending_);
        pendingBytes_ = 0;
    }
    for (; size >= kStripeBytes; size -= kStripeBytes, bytes += kStripeBytes) mixStripe(bytes);
    std::memcpy(pending_, bytes, size);
    pendingBytes_ = static_cast<int>(size);
    return true;
}

uint64_t FingerprintSink::fingerprint() const {
    uint64_t state = size_ * kFinal;
    for (int lane = 0; lane < kLanes; ++lane) state = mixWord(state, lanes_[lane]);
    for (int at = 0; at < pendingBytes_; at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, pending_ + at, std::min(8, pendingBytes_ - at));
        state = mixWord(state, word);
    }
    state ^= state >> 33;
    state *= kMultiplier;
    state ^= state >> 29;
    return state;
}
