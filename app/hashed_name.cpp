// CRC-32 and the HashedName constructors.
#include "app/hashed_name.h"

#include <cstring>

uint32_t crc32(const void* data, size_t size) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc = (crc >> 8) ^ kCrc32Table[(crc ^ bytes[i]) & 0xFFu];
    }
    return crc ^ 0xFFFFFFFFu;
}

HashedName::HashedName(const char* name) : text(name ? name : "") {
    hash = crc32(text.data(), text.size());
}

HashedName::HashedName(const std::string& name)
    : hash(crc32(name.data(), name.size())), text(name) {}
