#include "Jet4TableDefinition.h"

#include "Jet4Format.h"
#include "Jet4RowLayout.h"
#include "Jet4TextEncoder.h"

using namespace Jet4Format;
using Kind = Jet4ColumnDefinition::Kind;

namespace {

constexpr int kTableRowCountOffset = 16;
constexpr int kTableTypeOffset = 40;
constexpr int kColumnsStart = 63;
constexpr char kUserTable = 0x4e;
constexpr char kSystemTable = 0x53;
constexpr int kGeneralSortOrder = 0x0409;
constexpr int kTextColumnBytes = 510;

// Column flags: fixed size, and the flag every updatable column carries.
constexpr int kFixedFlag = 0x01;
constexpr int kUpdatableFlag = 0x02;
constexpr int kCompressedUnicodeFlag = 0x01;

char typeCode(Kind kind)
{
    switch (kind) {
    case Kind::Long:
        return 0x04;
    case Kind::Double:
        return 0x07;
    case Kind::Text:
        return 0x0a;
    case Kind::Ole:
        return 0x0b;
    case Kind::Memo:
        return 0x0c;
    }
    return 0x0a;
}

} // namespace

namespace Jet4TableDefinition {

QByteArray build(const QVector<Jet4ColumnDefinition>& columns, const Jet4RowLayout& layout,
                 std::uint32_t rowCount, std::uint32_t usageMapRow, std::uint32_t freeMapRow,
                 bool systemTable)
{
    QByteArray page(kColumnsStart, '\0');
    page[0] = kPageTableDefinition;
    page[1] = 0x01;
    put32(page, kTableRowCountOffset, rowCount);
    page[kTableTypeOffset] = systemTable ? kSystemTable : kUserTable;
    int listed = 0;
    for (const Jet4ColumnDefinition& column : columns)
        listed += column.deleted ? 0 : 1;
    put16(page, 41, columns.size()); // most columns a row has had
    // As Access keeps it: the most variable columns the table has had, deleted ones too.
    put16(page, 43, layout.variableColumnCount());
    put16(page, 45, listed);
    put32(page, 47, 0); // logical indexes
    put32(page, 51, 0); // physical indexes
    put32(page, 55, usageMapRow);
    put32(page, 59, freeMapRow);

    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).deleted)
            continue;
        const Kind kind = columns.at(i).kind;
        const bool fixed = layout.isFixed(i);
        const bool text = kind == Kind::Text || kind == Kind::Memo;
        QByteArray entry(25, '\0');
        entry[0] = typeCode(kind);
        put16(entry, 5, i);
        put16(entry, 7, fixed ? 0 : layout.variableIndex(i));
        put16(entry, 9, i);
        if (text)
            put16(entry, 11, kGeneralSortOrder);
        entry[15] = static_cast<char>(kUpdatableFlag | (fixed ? kFixedFlag : 0));
        entry[16] = static_cast<char>(text ? kCompressedUnicodeFlag : 0);
        put16(entry, 21, layout.fixedOffset(i));
        put16(entry, 23, kind == Kind::Text ? kTextColumnBytes : Jet4RowLayout::storedSize(kind));
        page += entry;
    }
    for (const Jet4ColumnDefinition& column : columns) {
        if (column.deleted)
            continue;
        const QByteArray name = Jet4TextEncoder::encode(column.name, false);
        append16(page, name.size());
        page += name;
    }
    append16(page, 0xffff); // no long-value column usage entries follow

    if (page.size() > kPageSize)
        return {};
    put16(page, 2, kPageSize - page.size());
    put32(page, 8, page.size() - 8);
    page.resize(kPageSize, '\0');
    return page;
}

} // namespace Jet4TableDefinition
