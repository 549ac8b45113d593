#pragma once

#include <QString>
#include <QStringList>

// One index of the catalogue file: the columns it orders a table's rows by, and optionally the
// condition a row must meet to be indexed at all (a partial index).
struct IndexDefinition
{
    QString name;
    QString table;
    QStringList columns;
    // SQL of the condition; empty: every row is indexed.
    QString condition;
    // The numbers SQLite's statistics give the index (a row of sqlite_stat1): the rows, then
    // the rows that share a value of the first column, of the first two, and so on.
    QString statistics;

    // "CREATE INDEX name ON table (columns) [WHERE condition]".
    QString createStatement() const;
};
