#pragma once

#include "Jet4ColumnDefinition.h"
#include "Jet4Edits.h"
#include "Jet4FileFormat.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <cstdint>
#include <memory>

class Jet4AgileEncryption;
class Jet4DataPage;
class Jet4LongValueStore;
class Jet4PageFile;
class Jet4RowLayout;

// Writes a Jet 4 (Access 2000) or ACE 12 (Access 2007) database file with plain tables: the
// header page, the system catalogue MSysObjects, and per table a definition page, data pages
// and long-value pages. No indexes, relationships or properties: enough for readers that scan
// tables.
//
// Tables are written one after the other: beginTable, addRow for each row, endTable; then
// finish. Every call returns false after a failure; errorString() says what went wrong.
class Jet4Writer
{
public:
    // A non-zero encoding key writes an RC4-encoded database.
    explicit Jet4Writer(const QString& path, std::uint32_t encodingKey = 0);
    // A file of `format`; an ACE file is encrypted when `encryption` is given, a Jet 4 file never.
    Jet4Writer(const QString& path, Jet4FileFormat format,
               std::shared_ptr<const Jet4AgileEncryption> encryption = nullptr);
    ~Jet4Writer();

    bool open();
    // `properties`: the table's property values as the system catalogue keeps them (its
    // LvProp value), written as given; none when empty.
    bool beginTable(const QString& name, const QVector<Jet4ColumnDefinition>& columns,
                    const QByteArray& properties = QByteArray());
    // One value per column, in column order; a null QVariant writes a null.
    bool addRow(const QVariantList& values);
    // A row written and then deleted: its bytes stay, and the table does not count it.
    bool addDeletedRow(const QVariantList& values);
    // A row as editing left it (`edits`): written before columns were added, with slack
    // bytes, moved to another page, or deleted as Access deletes it.
    bool addEditedRow(const QVariantList& values, const Jet4RowEdits& edits);
    bool endTable();
    bool finish();
    QString errorString() const { return m_error; }

private:
    struct CatalogueEntry
    {
        QString name;
        std::uint32_t definitionPage;
        bool system;
        QByteArray properties;
    };

    bool addRow(const QVariantList& values, bool deleted);
    // Places a moved row's values on the table's page of moved rows; their address.
    bool placeMovedRow(const QByteArray& row, std::uint32_t* address);
    bool flushMovedPage();

    bool startTable(std::uint32_t definitionPage, const QVector<Jet4ColumnDefinition>& columns);
    bool finishTable(bool system);
    bool flushDataPage();
    std::uint32_t addMapRow(const QByteArray& row);
    bool writeCatalogue();
    bool fail(const QString& message);

    std::unique_ptr<Jet4PageFile> m_file;
    std::unique_ptr<Jet4LongValueStore> m_longValues;
    std::uint32_t m_encodingKey;
    Jet4FileFormat m_format = Jet4FileFormat::Jet4;
    bool m_encryptionUsable = true;
    QString m_error;

    QVector<CatalogueEntry> m_catalogue;
    QVector<std::pair<std::uint32_t, std::shared_ptr<Jet4DataPage>>> m_mapPages;

    // The table being written.
    QString m_tableName;
    QByteArray m_properties;
    QVector<Jet4ColumnDefinition> m_columns;
    std::unique_ptr<Jet4RowLayout> m_layout;
    std::unique_ptr<Jet4DataPage> m_page;
    std::uint32_t m_definitionPage = 0;
    QVector<std::uint32_t> m_dataPages;
    std::uint32_t m_rowCount = 0;
    // The page moved rows go to, numbered when its first row is placed.
    std::unique_ptr<Jet4DataPage> m_movedPage;
    std::uint32_t m_movedPageNumber = 0;
    bool m_inTable = false;
};
