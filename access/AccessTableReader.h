#pragma once

#include "AccessColumn.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>

class AccessDatabase;
class AccessRowBatch;

// Reads the rows of one table of an Access file, in the file's order, as Qt values: null
// as a null QVariant; booleans as bool; byte, integer and long integer as int; single,
// double, currency and decimal as double; date/time as QDateTime; text and memo as
// QString; OLE and binary as QByteArray; GUIDs as their text. Memo and OLE values are read
// whole, however many pages they span.
class AccessTableReader
{
public:
    // The table is matched by name without regard to case.
    AccessTableReader(AccessDatabase& database, const QString& tableName);
    ~AccessTableReader();
    AccessTableReader(const AccessTableReader&) = delete;
    AccessTableReader& operator=(const AccessTableReader&) = delete;

    bool isOpen() const;
    QString name() const;
    // In the table's order.
    const QVector<AccessColumn>& columns() const;
    // The row count the table's definition records.
    qint64 declaredRowCount() const;
    qint64 rowsRead() const { return m_rowsRead; }
    // Which columns next() returns, by position in columns(); all of them unless set.
    void selectColumns(const QVector<int>& columns);

    // Fills `values` with the next row's selected columns; false after the last row or
    // when a value cannot be read (then failed() is true).
    bool next(QVariantList& values);
    bool failed() const { return m_failed; }

    // The same a value at a time: advance() moves to the next row, then value() or
    // appendTo() read its selected columns by their place in the selection.
    bool advance();
    QVariant value(int selected);
    // Whether appendTo() takes the selected column: nulls, truth values, numbers other than
    // dates and decimals, and text.
    bool appendsDirectly(int selected) const;
    // Appends the value to the batch as value() would give it, without a Qt value on the way:
    // a million rows of text read in a fraction of the time. False when it cannot be read.
    bool appendTo(AccessRowBatch& batch, int selected);

private:
    struct Table;
    bool nextRow();
    QVariant read(int column, bool* ok);
    // A text or memo value of the current row into `text`; false when it cannot be read.
    bool readText(int column, QString& text);
    // A failed read ends the table.
    bool failRead();

    std::unique_ptr<Table> m_table;
    QVector<AccessColumn> m_columns;
    QVector<int> m_selection;
    qint64 m_rowsRead = 0;
    bool m_failed = false;
    // The text of the value appendTo() reads, its storage kept from row to row.
    QString m_text;
};
