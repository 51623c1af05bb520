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
    void mix(uint64_t word);

    uint64_t state_ = 0x243F6A8885A308D3u;
    uint64_t pending_ = 0;  // bytes that do not yet make a whole word, low byte first
    int pendingBytes_ = 0;
    uint64_t size_ = 0;
};
