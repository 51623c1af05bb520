// FingerprintSink: a 64-bit fingerprint of the bytes written into it, computed as they pass, so
// that telling whether a map changed since it was saved needs neither a copy of the file nor a
// slow byte-by-byte checksum.
#pragma once

#include <cstdint>

#include "io/byte_sink.h"

class FingerprintSink : public ByteSink {
public:
    bool write(const void* data, size_t size) override;
    // The fingerprint of everything written so far, and how many bytes that was.
    uint64_t fingerprint() const;
    uint64_t size() const { return size_; }

private:
    static constexpr int kLanes = 4;
    static constexpr int kStripeBytes = 8 * kLanes;

    void mixStripe(const unsigned char* stripe);

    // Four lanes take a word each of every 32-byte stripe, so the multiplications of one
    // stripe do not wait for each other.
    uint64_t lanes_[kLanes] = {0x243F6A8885A308D3u, 0x13198A2E03707344u, 0xA4093822299F31D0u,
                               0x082EFA98EC4E6C89u};
    unsigned char pending_[kStripeBytes] = {};  // the start of a stripe not yet whole
    int pendingBytes_ = 0;
    uint64_t size_ = 0;
};
