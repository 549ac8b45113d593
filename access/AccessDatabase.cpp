#include "AccessDatabase.h"

#include "AccessNative.h"
#include "AccessOfficeEncryption.h"
#include "AccessSystemCatalogue.h"
#include "base/CatalogueSignature.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

constexpr unsigned long kCataloguePage = 2;
constexpr int kHeaderPage = 4096;
const char* const kCatalogueName = "MSysObjects";

void setEntry(MdbCatalogEntry* entry, MdbHandle* handle, const QByteArray& name, unsigned long page)
{
    entry->mdb = handle;
    entry->object_type = MDB_TABLE;
    entry->table_pg = page;
    std::memcpy(entry->object_name, name.constData(), size_t(name.size()));
    entry->object_name[name.size()] = '\0';
}

// `size` bytes of the file from `offset`, read into `into`; from several threads at once.
bool readAt(int descriptor, char* into, qsizetype size, qsizetype offset)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t read = ::pread(descriptor, into + done, size_t(size - done), off_t(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        done += read;
    }
    return true;
}

// The library opens an encrypted file from its decrypted bytes, kept in `image`. Each run of the
// decryption reads its own share of the pages, from the header page on.
MdbHandle* openDecrypted(QFile& file, const QByteArray& header, const QString& password, QByteArray* image,
                         QString* error)
{
    *image = QByteArray(file.size(), Qt::Uninitialized);
    if (image->size() < header.size())
        return nullptr;
    std::memcpy(image->data(), header.constData(), size_t(header.size()));
    char* bytes = image->data();
    const int descriptor = file.handle();
    const auto fill = [bytes, descriptor](qsizetype offset, qsizetype size) {
        return readAt(descriptor, bytes + offset, size, offset);
    };
    if (!AccessOfficeEncryption::decrypt(*image, password, error, fill))
        return nullptr;
    return mdb_open_buffer(image->data(), size_t(image->size()), MDB_NOFLAGS);
}

} // namespace

const QString AccessDatabase::kCataloguePassword = QStringLiteral("pl4wd");

MdbCatalogEntry* AccessDatabase::Native::entry(const QString& name)
{
    if (name == QLatin1String(kCatalogueName))
        return &catalogue;
    for (const std::unique_ptr<MdbCatalogEntry>& table : tables) {
        if (QString::fromUtf8(table->object_name).compare(name, Qt::CaseInsensitive) == 0)
            return table.get();
    }
    return nullptr;
}

AccessDatabase::AccessDatabase(const QString& path, const QString& password)
    : m_native(std::make_unique<Native>())
{
    const QFileInfo info(path);
    QFile file(path);
    // The library would take any page whose version byte it knows.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const QByteArray header = file.read(kHeaderPage);
    if (!CatalogueSignature::isAccess(header))
        return;
    MdbHandle* handle = nullptr;
    if (AccessOfficeEncryption::isEncrypted(header)) {
        handle = openDecrypted(file, header, password, &m_native->image, &m_error);
    } else {
        handle = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    }
    file.close();
    if (!handle)
        return;
    m_native->handle = handle;
    setEntry(&m_native->catalogue, handle, kCatalogueName, kCataloguePage);
    const guint32 version = handle->f->jet_version;
    QVector<AccessSystemCatalogue::Table> tables;
    // A partly written or cut file is never a whole number of pages.
    if (version > MDB_VER_ACCDB_2019 || info.size() < 3 * handle->fmt->pg_size ||
        info.size() % handle->fmt->pg_size != 0 || !AccessSystemCatalogue::readUserTables(*this, &tables)) {
        mdb_close(handle);
        m_native->handle = nullptr;
        return;
    }
    for (const AccessSystemCatalogue::Table& table : tables) {
        auto entry = std::make_unique<MdbCatalogEntry>();
        setEntry(entry.get(), handle, table.name.toUtf8(), table.definitionPage);
        m_native->tables.push_back(std::move(entry));
        m_tables.append(table.name);
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
