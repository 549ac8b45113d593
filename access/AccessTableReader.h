#pragma once

#include "AccessColumn.h"
#include "AccessValue.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>

class AccessDatabase;

// Reads the rows of one table of an Access file, in the file's order. Each value is decoded
// once into an AccessValue: null; booleans; byte, integer and long integer as integers;
// single, double, currency and decimal as reals; date/time; text, memo and GUIDs (as their
// text) as text; OLE and binary as bytes; the complex columns of ACE as the long integer that
// keys their values. Memo and OLE values are read whole, however many
// pages they span. A row or value the reader cannot read exactly ends the table as failed:
// a damaged file is refused rather than read with wrong values.
class AccessTableReader
{
public:
    // The table is matched by name without regard to case; "MSysObjects" is the system
    // catalogue. A table whose definition contradicts itself (AccessTableDefinition) is not
    // opened.
    AccessTableReader(AccessDatabase& database, const QString& tableName);
    ~AccessTableReader();
    AccessTableReader(const AccessTableReader&) = delete;
    AccessTableReader& operator=(const AccessTableReader&) = delete;

    bool isOpen() const;
    // Why a table that exists was not opened, when a column of it cannot be read; empty
    // otherwise.
    QString refusal() const { return m_refusal; }
    QString name() const;
    // In the table's order.
    const QVector<AccessColumn>& columns() const;
    // The row count the table's definition records.
    qint64 declaredRowCount() const;
    qint64 rowsRead() const { return m_rowsRead; }
    // Which columns are read, by position in columns(); all of them unless set.
    void selectColumns(const QVector<int>& columns);

    // Fills `values` with the next row's selected columns as Qt values (AccessValue::toVariant);
    // false after the last row or when a value cannot be read (then failed() is true).
    bool next(QVariantList& values);
    bool failed() const { return m_failed; }

    // The same a value at a time: advance() moves to the next row, then read() decodes its
    // selected columns by their place in the selection. The value read is kept until the
    // next read(); on damage it is null and failed() is true.
    bool advance();
    const AccessValue& read(int selected);
    QVariant value(int selected) { return read(selected).toVariant(); }

private:
    struct Table;
    bool nextRow();
    // The current row's fields, following an overflow row to the row that holds its values.
    bool locateRow(int row, bool* skip);
    bool decode(int column, AccessValue& value);
    // A failed read ends the table.
    bool failRead();

    std::unique_ptr<Table> m_table;
    QVector<AccessColumn> m_columns;
    QVector<int> m_selection;
    QString m_refusal;
    qint64 m_rowsRead = 0;
    bool m_failed = false;
    AccessValue m_value;
};
