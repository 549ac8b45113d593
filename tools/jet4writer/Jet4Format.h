#pragma once

#include <QByteArray>
#include <cstdint>

// Layout constants of Jet 4 files and little-endian writers for page buffers.
namespace Jet4Format {

constexpr int kPageSize = 4096;
// Data and long-value pages: type, a fixed byte, free space, owner, four unknown bytes, row count.
constexpr int kRowCountOffset = 12;
constexpr int kRowOffsetsStart = 14;
// Row numbers on a page are addressed by one byte.
constexpr int kMaxRowsPerPage = 255;
// Largest row that fits on an otherwise empty data page.
constexpr int kMaxRowSize = kPageSize - kRowOffsetsStart - 2;
constexpr int kLongValueHeaderSize = 12;
// The flag of a deleted row's offset.
constexpr std::uint32_t kDeletedRow = 0x8000;
// The flag of a row whose slot holds only the address of its values on another page.
constexpr std::uint32_t kOverflowRow = 0x4000;

constexpr char kPageHeader = 0x00;
constexpr char kPageData = 0x01;
constexpr char kPageTableDefinition = 0x02;
constexpr char kPageUsageMap = 0x05;

constexpr std::uint32_t kLongValueInline = 0x80000000u;
constexpr std::uint32_t kLongValueSinglePage = 0x40000000u;

inline void put16(QByteArray& buffer, int offset, std::uint32_t value)
{
    buffer[offset] = static_cast<char>(value & 0xff);
    buffer[offset + 1] = static_cast<char>((value >> 8) & 0xff);
}

inline void put32(QByteArray& buffer, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        buffer[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

inline void append16(QByteArray& buffer, std::uint32_t value)
{
    buffer.append(static_cast<char>(value & 0xff));
    buffer.append(static_cast<char>((value >> 8) & 0xff));
}

inline void append32(QByteArray& buffer, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        buffer.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A row's address: page number in the upper three bytes, row number in the lowest.
inline std::uint32_t pageRow(std::uint32_t page, int row)
{
    return (page << 8) | static_cast<std::uint32_t>(row);
}

} // namespace Jet4Format
