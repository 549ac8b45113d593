#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The six catalogue tables as the import copies them from an Access file into the SQLite
// copy: which SQLite columns each has (those of CatalogueSchema's insert statements, in
// order) and how each is found in the Access table.
struct AccessCatalogueTable
{
    // The table's name, matched in the Access file without regard to case.
    QString name;
    const char* insertStatement = nullptr;
    QStringList columns;
    // Columns found by position rather than by name (the leading columns of the version
    // table, whose names the program never uses).
    int positionalColumns = 0;
    // Without the table, or one of these columns, the file is no catalogue: the program reads
    // them when it opens the catalogue. Other missing tables and columns import as nulls.
    bool required = false;
    QStringList requiredColumns;
    // Columns holding stored files: blobs in the copy, whatever the Access column's type.
    QStringList storedFileColumns;
    // Columns the copy declares INTEGER or REAL; the others hold text or stored files.
    QStringList numberColumns;
    // The version table's values are shown as text.
    bool valuesAsText = false;
};

namespace AccessCatalogueLayout {

QVector<AccessCatalogueTable> tables();

} // namespace AccessCatalogueLayout
