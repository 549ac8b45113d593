#include "ByteBlocks.h"

#include <cstring>

char* ByteBlocks::reserve(quint32 size, quint64* position)
{
    if (m_used + quint64(size) > kBlockSize) {
        m_blocks.emplace_back(new char[qMax(size, kBlockSize)]);
        m_used = 0;
    }
    const quint32 offset = m_used;
    // A piece longer than a block fills its block.
    m_used = size > kBlockSize ? kBlockSize : m_used + size;
    if (position)
        *position = quint64(m_blocks.size() - 1) * kBlockSize + offset;
    return m_blocks.back().get() + offset;
}

const char* ByteBlocks::keep(const char* data, quint32 size)
{
    char* kept = reserve(size);
    if (size > 0)
        std::memcpy(kept, data, size);
    return kept;
}
