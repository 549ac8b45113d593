#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class ByteBlocks;
struct sqlite3;

// The values of some columns of every row of one table, read back from the file as SQLite
// stored them, with each row's rowid. Each value also gets a rank among its column's values,
// in the order an index puts them (the same rank for values the column's collation takes as
// equal), so that rows sort by comparing numbers. Each row encodes as the entry an index on
// some of these columns holds for it.
class IndexKeys
{
public:
    // A value as SQLite stores it, or as it was bound for an insert.
    struct Field
    {
        enum class Kind : quint8 { Null, Integer, Real, Text, Blob };
        Kind kind = Kind::Null;
        qint64 integer = 0;
        double real = 0;
        const char* bytes = nullptr;
        quint32 size = 0;
    };
    enum class Source { Stored, Bound };

    IndexKeys();
    ~IndexKeys();

    // Prepares for rows of the table's columns. False when one of them is ordered or stored
    // in an index in a way this class does not reproduce: a collation other than BINARY and
    // NOCASE, REAL or NUMERIC affinity. Rows come from the file (Stored), or are the values
    // bound to insert them into a new table (Bound), then numbered from 1.
    bool start(sqlite3* db, const QString& table, const QStringList& columns, Source source);
    // The next row, its fields in the order of the columns. Rows must come in rowid order.
    void addRow(qint64 rowid, const Field* fields);
    // Ranks the values. False when the rows were not in rowid order, or a bound value was
    // one that SQLite converts before storing it (a number in a text column, say).
    bool finish();
    // start(), then every row of the table from the file, then finish().
    bool read(sqlite3* db, const QString& table, const QStringList& columns);

    int rowCount() const { return m_rowCount; }
    // Position of a column among those read, or -1.
    int columnOf(const QString& name) const;
    bool isNull(int row, int column) const;
    // Rows come in rowid order, so that a row's position breaks ties between equal keys.
    quint32 rank(int row, int column) const;
    // No entry of an index on `columns` is longer than this.
    quint64 longestEntry(const std::vector<int>& columns) const;
    // Writes the index entry of a row, a record of the columns' values and the rowid, over
    // `out`; file formats from 4 on store the integers 0 and 1 in their type alone.
    void entry(const std::vector<int>& columns, int row, bool smallConstants, QByteArray& out) const;

private:
    struct Value;
    struct Column;

    const Value& value(int row, int column) const;
    qint64 rowid(int row) const;


    QStringList m_names;
    std::vector<Column> m_columns;
    // Row by row: the rowid's two halves, then the number of each column's value.
    std::vector<quint32> m_rows;
    size_t m_stride = 0;
    int m_rowCount = 0;
    qint64 m_lastRowid = 0;
    bool m_sound = true;
    Source m_source = Source::Stored;
    std::unique_ptr<ByteBlocks> m_bytes;
};
