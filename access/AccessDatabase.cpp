#include "AccessDatabase.h"

#include "AccessNative.h"
#include "base/CatalogueSignature.h"

#include <QFileInfo>

#include <cstring>

namespace {

// The library reads the system catalogue through its page map without checking that the map
// exists; a damaged definition page would have it read through a null pointer.
bool catalogueIsReadable(MdbHandle* handle)
{
    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = handle;
    entry.object_type = MDB_TABLE;
    entry.table_pg = 2;
    std::strcpy(entry.object_name, "MSysObjects");
    MdbTableDef* catalogue = mdb_read_table(&entry);
    const bool readable = catalogue && catalogue->usage_map && catalogue->map_sz >= 1;
    if (catalogue)
        mdb_free_tabledef(catalogue);
    return readable;
}

} // namespace

AccessDatabase::AccessDatabase(const QString& path) : m_native(std::make_unique<Native>())
{
    const QFileInfo info(path);
    QFile file(path);
    // The library would take any page whose version byte it knows.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly) || !CatalogueSignature::isAccess(file.read(32)))
        return;
    file.close();
    MdbHandle* handle = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle)
        return;
    m_native->handle = handle;
    const guint32 version = handle->f->jet_version;
    // A partly written or cut file is never a whole number of pages.
    if ((version != MDB_VER_JET3 && version != MDB_VER_JET4) || info.size() < 3 * handle->fmt->pg_size ||
        info.size() % handle->fmt->pg_size != 0 || !catalogueIsReadable(handle) ||
        !mdb_read_catalog(handle, MDB_TABLE)) {
        mdb_close(handle);
        m_native->handle = nullptr;
        return;
    }
    for (unsigned int i = 0; i < handle->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(handle->catalog, i));
        if (mdb_is_user_table(entry))
            m_tables.append(QString::fromUtf8(entry->object_name));
    }
}

AccessDatabase::~AccessDatabase()
{
    if (m_native->handle)
        mdb_close(m_native->handle);
}

bool AccessDatabase::isOpen() const
{
    return m_native->handle != nullptr;
}

QStringList AccessDatabase::tableNames() const
{
    return m_tables;
}

QString AccessDatabase::findTable(const QString& name) const
{
    for (const QString& table : m_tables) {
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    return {};
}
