#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Rows of one table on their way from the Access reader to the SQLite writer, already in
// the form SQLite stores: numbers, UTF-8 text, blobs. The bytes of all text and blobs share
// one buffer, so that a batch of thousands of rows costs a handful of allocations.
class AccessRowBatch
{
public:
    struct Value
    {
        enum class Kind : unsigned char
        {
            Null,
            Integer,
            Real,
            Text,
            Blob
        };
        Kind kind = Kind::Null;
        qint64 integer = 0;
        double real = 0;
        qsizetype offset = 0;
        qsizetype size = 0;
    };

    AccessRowBatch(int table, int columns, int expectedRows, qsizetype expectedBytes)
        : m_table(table), m_columns(columns)
    {
        m_values.reserve(size_t(expectedRows) * size_t(columns));
        m_bytes.reserve(expectedBytes);
    }

    int table() const { return m_table; }
    int columnCount() const { return m_columns; }
    int rowCount() const { return m_columns > 0 ? int(m_values.size()) / m_columns : 0; }
    qsizetype byteCount() const { return m_bytes.size(); }
    const Value& value(int row, int column) const
    {
        return m_values[size_t(row) * size_t(m_columns) + size_t(column)];
    }
    const char* bytes(const Value& value) const { return m_bytes.constData() + value.offset; }

    void appendNull() { m_values.push_back(Value()); }
    void appendInteger(qint64 number);
    void appendReal(double number);
    void appendText(const QString& text);
    void appendBlob(const QByteArray& bytes);

private:
    int m_table;
    int m_columns;
    std::vector<Value> m_values;
    QByteArray m_bytes;
};
