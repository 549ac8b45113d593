#pragma once

#include <QByteArray>
#include <cstdint>

// The RC4 stream cipher with a four-byte key, as the Jet engine uses it to mask the
// header page and, in encoded databases, every other page.
class Jet4Rc4
{
public:
    explicit Jet4Rc4(std::uint32_t key);

    // XORs the key stream into the bytes in place; applying it twice restores them.
    void apply(char* data, int size);

private:
    unsigned char m_state[256];
    unsigned char m_x = 0;
    unsigned char m_y = 0;
};
