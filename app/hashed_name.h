// HashedName: a command's text together with its CRC-32; commands compare by hash alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// CRC-32 as used by PNG and gzip (zlib's); the empty input gives 0.
uint32_t crc32Of(const void* data, size_t size);

struct HashedName {
    uint32_t hash = 0;
    std::string text;

    HashedName() = default;
    // Hashes the bytes up to the first NUL.
    HashedName(const char* name);
    // Hashes every byte of the string, embedded NULs included.
    HashedName(const std::string& name);

    // Two names are the same command when their hashes are equal; the text is never compared.
    bool operator==(const HashedName& other) const { return hash == other.hash; }
    bool operator!=(const HashedName& other) const { return hash != other.hash; }
};
