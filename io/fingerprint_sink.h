// FingerprintSink: a 64-bit fingerprint of the bytes written into it, computed as they pass, so
// that telling whether a map changed since it was saved needs neither a copy of the file nor a
// slow byte-by-byte checksum.
#pragma once

#include <cstdint>
#include <memory>

#include "io/byte_sink.h"

struct XXH3_state_s;

class FingerprintSink : public ByteSink {
public:
    // Throws std::bad_alloc, as new does, when there is no memory for the hash state.
    FingerprintSink();
    ~FingerprintSink() override;

    bool write(const void* data, size_t size) override;
    // The fingerprint of everything written so far, and how many bytes that was.
    uint64_t fingerprint() const;
    uint64_t size() const { return size_; }

private:
    // XXH3's streaming state is opaque outside the library, which allocates it aligned.
    struct FreeState {
        void operator()(XXH3_state_s* state) const;
    };
    std::unique_ptr<XXH3_state_s, FreeState> state_;
    uint64_t size_ = 0;
};
