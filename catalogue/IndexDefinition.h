#pragma once

#include <QString>
#include <QStringList>

// One index of the catalogue file: the columns it orders a table's rows by, and optionally a
// column that a row must hold a value in to be indexed at all.
struct IndexDefinition
{
    QString name;
    QString table;
    QStringList columns;
    // Empty: every row is indexed.
    QString requiredColumn;

    // "CREATE INDEX name ON table (columns) [WHERE requiredColumn IS NOT NULL]".
    QString createStatement() const;
};
