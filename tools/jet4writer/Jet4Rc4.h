#pragma once

#include <cstdint>

// The RC4 stream cipher with a four-byte key, as the Jet engine uses it to mask the header page
// and, in encoded databases, every other page: OpenSSL's, through the import's own wrapper.
namespace Jet4Rc4 {

// XORs the key stream of `key` (its bytes little-endian) into the bytes in place; applying it
// twice restores them. False when OpenSSL cannot provide RC4.
bool apply(std::uint32_t key, char* data, int size);

} // namespace Jet4Rc4
