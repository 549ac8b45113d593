#include "Jet4Rc4.h"

#include <utility>

Jet4Rc4::Jet4Rc4(std::uint32_t key)
{
    // The engine feeds the key's bytes in little-endian order.
    const unsigned char keyBytes[4] = {static_cast<unsigned char>(key), static_cast<unsigned char>(key >> 8),
                                       static_cast<unsigned char>(key >> 16),
                                       static_cast<unsigned char>(key >> 24)};
    for (int i = 0; i < 256; ++i)
        m_state[i] = static_cast<unsigned char>(i);
    unsigned char j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<unsigned char>(j + m_state[i] + keyBytes[i % 4]);
        std::swap(m_state[i], m_state[j]);
    }
}

void Jet4Rc4::apply(char* data, int size)
{
    for (int i = 0; i < size; ++i) {
        m_x = static_cast<unsigned char>(m_x + 1);
        m_y = static_cast<unsigned char>(m_y + m_state[m_x]);
        std::swap(m_state[m_x], m_state[m_y]);
        data[i] =
            static_cast<char>(data[i] ^ m_state[static_cast<unsigned char>(m_state[m_x] + m_state[m_y])]);
    }
}
