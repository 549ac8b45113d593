#include "AccessLongValue.h"

#include <QSet>

#include <cstdlib>
#include <cstring>

namespace {

constexpr guint32 kInline = 0x80000000u;
constexpr guint32 kSinglePage = 0x40000000u;
constexpr guint32 kFlags = 0xc0000000u;

bool rowExists(MdbHandle* mdb, guint32 pageRow, size_t* length, guint32* next)
{
    void* page = nullptr;
    int start = 0;
    if (pageRow >> 8 == 0 || mdb_find_pg_row(mdb, static_cast<int>(pageRow), &page, &start, length) != 0)
        return false;
    if (next)
        *next = *length >= 4 ? static_cast<guint32>(mdb_get_int32(page, start)) : 0;
    return true;
}

// A chain of long-value rows: each starts with the address of the next, zero at the end.
bool chainIsSound(MdbHandle* mdb, guint32 first, guint32 declaredLength)
{
    QSet<guint32> visited;
    qint64 total = 0;
    guint32 pageRow = first;
    while (pageRow != 0) {
        size_t length = 0;
        guint32 next = 0;
        if (visited.contains(pageRow) || !rowExists(mdb, pageRow, &length, &next) || length < 4)
            return false;
        visited.insert(pageRow);
        total += qint64(length) - 4;
        if (total > declaredLength)
            return false;
        pageRow = next;
    }
    return true;
}

} // namespace

namespace AccessLongValue {

QByteArray read(MdbHandle* mdb, MdbColumn* column, int start, int size, char* buffer, bool* ok)
{
    *ok = false;
    if (size < MDB_MEMO_OVERHEAD)
        return {};
    const auto header = static_cast<guint32>(mdb_get_int32(mdb->pg_buf, start));
    const guint32 length = header & ~kFlags;
    const auto firstRow = static_cast<guint32>(mdb_get_int32(mdb->pg_buf, start + 4));
    if ((header & kFlags) == kFlags)
        return {};
    if (header & kInline) {
        // The value follows its reference inside the row.
    } else if (header & kSinglePage) {
        size_t rowLength = 0;
        if (!rowExists(mdb, firstRow, &rowLength, nullptr))
            return {};
    } else if (!chainIsSound(mdb, firstRow, length)) {
        return {};
    }

    std::memcpy(buffer, mdb->pg_buf + start, MDB_MEMO_OVERHEAD);
    column->bind_ptr = buffer;
    column->cur_value_start = start;
    column->cur_value_len = size;
    size_t readLength = 0;
    void* bytes = mdb_ole_read_full(mdb, column, &readLength);
    // Row fetches must not write into the buffer: memo columns would get converted text.
    column->bind_ptr = nullptr;
    if (!bytes)
        return {};
    QByteArray value(static_cast<const char*>(bytes), static_cast<int>(readLength));
    std::free(bytes);
    *ok = true;
    return value;
}

} // namespace AccessLongValue
