#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

// Bytes copied into blocks of a megabyte that never move, so that what was kept can be
// pointed at, or found again by its position: the block's number times a megabyte plus the
// offset in it. Pieces longer than a block get a block of their own.
class ByteBlocks
{
public:
    static constexpr quint32 kBlockSize = 1 << 20;

    // Room for `size` bytes, valid as long as this object; `position` receives where.
    char* reserve(quint32 size, quint64* position = nullptr);
    // A copy of `size` bytes at `data`.
    const char* keep(const char* data, quint32 size);
    const char* at(quint64 position) const
    {
        return m_blocks[size_t(position / kBlockSize)].get() + position % kBlockSize;
    }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    quint32 m_used = kBlockSize;
};
