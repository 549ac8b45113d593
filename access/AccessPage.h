#pragma once

#include "AccessNative.h"

#include <QtGlobal>

// Rows on a data or long-value page, located from the page's own offset table and checked
// before use: a damaged offset is reported, never followed outside the page.
namespace AccessPage {

// A row's place on its page, and the flags of its offset as Jet documents them.
struct Row
{
    int start = 0;
    int size = 0;
    // 0x8000: the row was deleted.
    bool deleted = false;
    // 0x4000: the row holds only the address of the row that holds its values.
    bool overflow = false;
};

// Row `row` of the data page in `page`; false when the page is no data page, has no such
// row, the row's bounds do not lie inside the page's row area, or (Jet 4 and ACE) the page's
// free space is not what its offsets leave.
bool findRow(MdbHandle* mdb, const unsigned char* page, int row, Row* found);
int rowCount(MdbHandle* mdb, const unsigned char* page);
// A data page whose owner field holds the long-value signature "LVAL".
bool isLongValuePage(const unsigned char* page);

// Reads page `number` (decoded as the library decodes it) into the handle's second page
// buffer, which it returns; null when the page lies outside the file.
const unsigned char* readOther(MdbHandle* mdb, guint32 number);

inline guint32 get32(const unsigned char* p)
{
    return guint32(p[0]) | guint32(p[1]) << 8 | guint32(p[2]) << 16 | guint32(p[3]) << 24;
}
inline int get16(const unsigned char* p)
{
    return int(p[0]) | int(p[1]) << 8;
}

} // namespace AccessPage
