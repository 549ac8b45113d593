#include "Jet4Writer.h"

#include "Jet4AgileEncryption.h"
#include "Jet4DataPage.h"
#include "Jet4Format.h"
#include "Jet4HeaderPage.h"
#include "Jet4LongValueStore.h"
#include "Jet4PageFile.h"
#include "Jet4RowLayout.h"
#include "Jet4TableDefinition.h"
#include "Jet4UsageMap.h"

using namespace Jet4Format;
using Kind = Jet4ColumnDefinition::Kind;

namespace {

// The catalogue's definition page is always page 2; page 1 holds usage maps.
constexpr std::uint32_t kFirstMapPage = 1;
constexpr std::uint32_t kCatalogueDefinitionPage = 2;
constexpr std::int32_t kLocalTableType = 1;
constexpr std::uint32_t kSystemObjectFlags = 0x80000002u;

} // namespace

Jet4Writer::Jet4Writer(const QString& path, std::uint32_t encodingKey)
    : m_file(std::make_unique<Jet4PageFile>(path, encodingKey)), m_encodingKey(encodingKey)
{
}

Jet4Writer::Jet4Writer(const QString& path, Jet4FileFormat format,
                       std::shared_ptr<const Jet4AgileEncryption> encryption)
    : m_encodingKey(0), m_format(format),
      m_encryptionUsable(!encryption || (encryption->isValid() && format != Jet4FileFormat::Jet4))
{
    m_file = std::make_unique<Jet4PageFile>(path, 0, std::move(encryption));
}

Jet4Writer::~Jet4Writer() = default;

bool Jet4Writer::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

bool Jet4Writer::open()
{
    if (!m_encryptionUsable)
        return fail(QStringLiteral("the encryption is malformed or not for an ACE file"));
    if (!m_file->open())
        return fail(m_file->errorString());
    m_file->allocate(); // header
    m_file->allocate(); // first usage-map page
    m_file->allocate(); // catalogue definition
    m_mapPages.append({kFirstMapPage, std::make_shared<Jet4DataPage>(0)});
    m_longValues = std::make_unique<Jet4LongValueStore>(*m_file);
    return true;
}

bool Jet4Writer::beginTable(const QString& name, const QVector<Jet4ColumnDefinition>& columns,
                            const QByteArray& properties)
{
    if (!m_error.isEmpty())
        return false;
    if (m_inTable || !m_longValues)
        return fail(QStringLiteral("table %1 begun out of order").arg(name));
    m_tableName = name;
    m_properties = properties;
    return startTable(m_file->allocate(), columns);
}

bool Jet4Writer::startTable(std::uint32_t definitionPage, const QVector<Jet4ColumnDefinition>& columns)
{
    if (columns.isEmpty() || columns.size() > 255)
        return fail(QStringLiteral("table %1 needs 1 to 255 columns").arg(m_tableName));
    m_columns = columns;
    m_layout = std::make_unique<Jet4RowLayout>(columns);
    m_definitionPage = definitionPage;
    m_page = std::make_unique<Jet4DataPage>(definitionPage);
    m_dataPages.clear();
    m_rowCount = 0;
    m_inTable = true;
    return true;
}

bool Jet4Writer::addRow(const QVariantList& values)
{
    return addRow(values, false);
}

bool Jet4Writer::addDeletedRow(const QVariantList& values)
{
    return addRow(values, true);
}

bool Jet4Writer::addRow(const QVariantList& values, bool deleted)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_inTable)
        return fail(QStringLiteral("row added outside a table"));
    QString error;
    const QByteArray row = m_layout->pack(values, *m_longValues, &error);
    if (row.isEmpty())
        return fail(QStringLiteral("%1, row %2: %3").arg(m_tableName).arg(m_rowCount + 1).arg(error));
    if (!m_page->fits(row.size()) && !flushDataPage())
        return false;
    m_page->add(row, deleted);
    if (!deleted)
        ++m_rowCount;
    return !m_longValues->failed() || fail(m_file->errorString());
}

bool Jet4Writer::addEditedRow(const QVariantList& values, const Jet4RowEdits& edits)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_inTable)
        return fail(QStringLiteral("row added outside a table"));
    QString error;
    QByteArray row = m_layout->pack(values, *m_longValues, &error, edits);
    if (row.isEmpty())
        return fail(QStringLiteral("%1, row %2: %3").arg(m_tableName).arg(m_rowCount + 1).arg(error));
    std::uint32_t flags = edits.deleted ? kDeletedRow | kOverflowRow : 0;
    if (edits.moved && !edits.deleted) {
        std::uint32_t address = 0;
        if (!placeMovedRow(row, &address))
            return false;
        row.clear();
        append32(row, address);
        flags = kOverflowRow;
    }
    if (!m_page->fits(row.size()) && !flushDataPage())
        return false;
    m_page->addFlagged(row, flags);
    if (!edits.deleted)
        ++m_rowCount;
    return !m_longValues->failed() || fail(m_file->errorString());
}

bool Jet4Writer::placeMovedRow(const QByteArray& row, std::uint32_t* address)
{
    if (m_movedPage && !m_movedPage->fits(row.size()) && !flushMovedPage())
        return false;
    if (!m_movedPage) {
        m_movedPage = std::make_unique<Jet4DataPage>(m_definitionPage);
        m_movedPageNumber = m_file->allocate();
    }
    // Access marks the slot of a moved row's values deleted, so that a scan passes it by.
    *address = pageRow(m_movedPageNumber, m_movedPage->addFlagged(row, kDeletedRow));
    return true;
}

bool Jet4Writer::flushMovedPage()
{
    if (!m_movedPage)
        return true;
    if (!m_file->write(m_movedPageNumber, m_movedPage->build()))
        return fail(m_file->errorString());
    m_dataPages.append(m_movedPageNumber);
    m_movedPage.reset();
    return true;
}

bool Jet4Writer::flushDataPage()
{
    if (m_page->rowCount() == 0)
        return true;
    const std::uint32_t number = m_file->allocate();
    if (!m_file->write(number, m_page->build()))
        return fail(m_file->errorString());
    m_dataPages.append(number);
    m_page = std::make_unique<Jet4DataPage>(m_definitionPage);
    return true;
}

std::uint32_t Jet4Writer::addMapRow(const QByteArray& row)
{
    if (!m_mapPages.last().second->fits(row.size()))
        m_mapPages.append({m_file->allocate(), std::make_shared<Jet4DataPage>(0)});
    return pageRow(m_mapPages.last().first, m_mapPages.last().second->add(row));
}

bool Jet4Writer::endTable()
{
    if (!m_error.isEmpty())
        return false;
    if (!m_inTable)
        return fail(QStringLiteral("table ended out of order"));
    return finishTable(false);
}

bool Jet4Writer::finishTable(bool system)
{
    if (!flushDataPage() || !flushMovedPage())
        return false;
    const QByteArray usage = Jet4UsageMap::build(m_dataPages, *m_file);
    if (usage.isEmpty())
        return fail(m_file->errorString());
    // No page has room to spare: the free-space map is empty.
    const QByteArray freeSpace = Jet4UsageMap::build({}, *m_file);
    const std::uint32_t usageRow = addMapRow(usage);
    const std::uint32_t freeRow = addMapRow(freeSpace);
    const QByteArray definition =
        Jet4TableDefinition::build(m_columns, *m_layout, m_rowCount, usageRow, freeRow, system);
    if (definition.isEmpty())
        return fail(QStringLiteral("definition of %1 does not fit a page").arg(m_tableName));
    if (!m_file->write(m_definitionPage, definition))
        return fail(m_file->errorString());
    m_catalogue.append({m_tableName, m_definitionPage, system, m_properties});
    m_inTable = false;
    return true;
}

bool Jet4Writer::writeCatalogue()
{
    const QVector<Jet4ColumnDefinition> columns = {
        {QStringLiteral("Id"), Kind::Long},    {QStringLiteral("ParentId"), Kind::Long},
        {QStringLiteral("Name"), Kind::Text},  {QStringLiteral("Type"), Kind::Long},
        {QStringLiteral("Flags"), Kind::Long}, {QStringLiteral("LvProp"), Kind::Ole},
    };
    QVector<CatalogueEntry> entries = m_catalogue;
    entries.prepend({QStringLiteral("MSysObjects"), kCatalogueDefinitionPage, true, QByteArray()});
    m_tableName = QStringLiteral("MSysObjects");
    m_properties.clear();
    if (!startTable(kCatalogueDefinitionPage, columns))
        return false;
    for (const CatalogueEntry& entry : entries) {
        const QVariantList values = {qint64(entry.definitionPage),
                                     qint64(0),
                                     entry.name,
                                     qint64(kLocalTableType),
                                     qint64(entry.system ? std::int32_t(kSystemObjectFlags) : 0),
                                     entry.properties.isEmpty() ? QVariant() : QVariant(entry.properties)};
        if (!addRow(values))
            return false;
    }
    m_catalogue.clear();
    return finishTable(true);
}

bool Jet4Writer::finish()
{
    if (!m_error.isEmpty())
        return false;
    if (m_inTable || !m_longValues)
        return fail(QStringLiteral("finished out of order"));
    if (!writeCatalogue() || !m_longValues->flush())
        return fail(m_file->errorString());
    for (const auto& [number, page] : m_mapPages) {
        if (!m_file->write(number, page->build()))
            return fail(m_file->errorString());
    }
    const QByteArray header = Jet4HeaderPage::build(m_encodingKey, m_format);
    if (header.isEmpty())
        return fail(QStringLiteral("OpenSSL provides no RC4 to mask the header"));
    if (!m_file->write(0, header) || !m_file->close())
        return fail(m_file->errorString());
    return true;
}
