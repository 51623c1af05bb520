// The fingerprint is XXH3's 64-bit hash of the bytes, fed piece by piece: any cut of the same
// bytes gives the value of one call over all of them.
#include "io/fingerprint_sink.h"

#include <xxhash.h>
// On x86 the library hashes with the widest vector unit the processor has (AVX2 is about four
// times as fast as the SSE2 it is otherwise built for); the value is the same.
#if defined(__x86_64__) || defined(__i386__)
#include <xxh_x86dispatch.h>
#endif

#include <new>

void FingerprintSink::FreeState::operator()(XXH3_state_s* state) const {
    XXH3_freeState(state);
}

FingerprintSink::FingerprintSink() : state_(XXH3_createState()) {
    if (!state_) throw std::bad_alloc();
    XXH3_64bits_reset(state_.get());
}

FingerprintSink::~FingerprintSink() = default;

bool FingerprintSink::write(const void* data, size_t size) {
    if (size == 0) return true;  // `data` may be null then
    size_ += size;
    return XXH3_64bits_update(state_.get(), data, size) == XXH_OK;
}

uint64_t FingerprintSink::fingerprint() const {
    return XXH3_64bits_digest(state_.get());
}
