// CRC-32 and the HashedName constructors.
#include "app/hashed_name.h"

#include <zlib.h>

uint32_t crc32Of(const void* data, size_t size) {
    // crc32_z takes the whole length; crc32 would cut it to 32 bits.
    return static_cast<uint32_t>(crc32_z(0, static_cast<const Bytef*>(data), size));
}

HashedName::HashedName(const char* name) : text(name ? name : "") {
    hash = crc32Of(text.data(), text.size());
}

HashedName::HashedName(const std::string& name)
    : hash(crc32Of(name.data(), name.size())), text(name) {}
