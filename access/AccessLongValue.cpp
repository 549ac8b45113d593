#include "AccessLongValue.h"

#include "AccessPage.h"

#include <QSet>

namespace {

constexpr guint32 kInline = 0x80;
constexpr guint32 kSingleRow = 0x40;
constexpr guint32 kChain = 0x00;
constexpr int kReferenceSize = 12;

// A live row of a long-value page: its bytes, or null when the address names none. Only a
// page that says it holds long values is one: a table's data page never is.
const unsigned char* longValueRow(MdbHandle* mdb, guint32 pageRow, int* size)
{
    const unsigned char* page = AccessPage::readOther(mdb, pageRow >> 8);
    AccessPage::Row row;
    if (!page || !AccessPage::isLongValuePage(page) ||
        !AccessPage::findRow(mdb, page, int(pageRow & 0xff), &row) || row.deleted || row.overflow)
        return nullptr;
    *size = row.size;
    return page + row.start;
}

bool readChain(MdbHandle* mdb, guint32 pageRow, guint32 length, QByteArray& value)
{
    QSet<guint32> seen;
    while (pageRow != 0) {
        int size = 0;
        const unsigned char* row = seen.contains(pageRow) ? nullptr : longValueRow(mdb, pageRow, &size);
        // An empty piece could only make the chain longer, never the value.
        if (!row || size <= 4 || guint32(value.size()) + guint32(size - 4) > length)
            return false;
        seen.insert(pageRow);
        value.append(reinterpret_cast<const char*>(row) + 4, size - 4);
        pageRow = AccessPage::get32(row);
    }
    return guint32(value.size()) == length;
}

} // namespace

namespace AccessLongValue {

bool read(MdbHandle* mdb, const unsigned char* reference, int size, QByteArray& value)
{
    value.resize(0);
    // How the library reads it too: nothing to follow.
    if (size < kReferenceSize)
        return true;
    const guint32 header = AccessPage::get32(reference);
    const guint32 kind = header >> 24;
    const guint32 length = header & 0xffffff;
    const guint32 first = AccessPage::get32(reference + 4);
    switch (kind) {
    case kInline:
        if (length != guint32(size - kReferenceSize))
            return false;
        value.append(reinterpret_cast<const char*>(reference) + kReferenceSize, int(length));
        return true;
    case kSingleRow: {
        int rowSize = 0;
        const unsigned char* row = longValueRow(mdb, first, &rowSize);
        if (!row || guint32(rowSize) < length)
            return false;
        value.append(reinterpret_cast<const char*>(row), int(length));
        return true;
    }
    case kChain:
        return readChain(mdb, first, length, value);
    default:
        return false;
    }
}

} // namespace AccessLongValue
