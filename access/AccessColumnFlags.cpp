#include "AccessColumnFlags.h"

#include "AccessPage.h"

#include <QByteArray>

namespace AccessColumnFlags {

namespace {

// A definition page's own header: its type, a mark, its free space and the next page.
constexpr int kPageHeader = 8;
constexpr int kNextPageOffset = 4;
constexpr int kDefinitionPage = 0x02;
// Past the first flags byte of a Jet 4 or ACE column entry.
constexpr int kExtendedFlagsAfterFlags = 1;

} // namespace

bool readExtended(MdbHandle* mdb, MdbTableDef* table, QHash<int, int>* flags)
{
    const MdbFormatConstants& format = *mdb->fmt;
    const int pageSize = int(format.pg_size);
    const int entriesStart =
        format.tab_cols_start_offset + int(table->num_real_idxs) * format.tab_ridx_entry_size;
    const qint64 needed = qint64(entriesStart) + qint64(table->num_cols) * format.tab_col_entry_size;
    // A definition spans pages chained through their headers; the entries run on across them
    // right after each page's header, as the library reads them.
    QByteArray stream;
    guint32 page = guint32(table->entry->table_pg);
    for (int pages = 0; stream.size() < needed; ++pages) {
        const unsigned char* bytes = AccessPage::readOther(mdb, page);
        if (!bytes || bytes[0] != kDefinitionPage || pages > needed / (pageSize - kPageHeader) + 1)
            return false;
        const int from = pages == 0 ? 0 : kPageHeader;
        stream.append(reinterpret_cast<const char*>(bytes) + from, pageSize - from);
        page = AccessPage::get32(bytes + kNextPageOffset);
    }
    const auto* entries = reinterpret_cast<const unsigned char*>(stream.constData()) + entriesStart;
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const unsigned char* entry = entries + i * unsigned(format.tab_col_entry_size);
        flags->insert(entry[format.col_num_offset],
                      entry[format.col_flags_offset + kExtendedFlagsAfterFlags]);
    }
    return true;
}

} // namespace AccessColumnFlags
