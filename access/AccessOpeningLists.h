#pragma once

#include "base/OpeningLists.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class AccessRowBatch;

// Gathers, as the rows go into a new copy, the values the opening's lists are made of, and puts
// them in the order the copy's queries give them once its indexes are built: SQLite's NOCASE
// order (only ASCII letters folded, a NUL ending the comparison), nulls first, ties broken by
// the index's further columns and then by the order the rows were stored; a distinct list or a
// group keeps the first value of each run the index gives. The house brands' rows are left out
// of the competitor lists as the queries leave them out.
class AccessOpeningLists
{
public:
    // `tables`: the names of the copied tables, in the order of the batches' table numbers;
    // `columns`: each one's columns; `rows`: the rows each declares.
    AccessOpeningLists(const QStringList& tables, const QList<QStringList>& columns,
                       const std::vector<qint64>& rows);

    // Takes what the lists need from a batch that went into the copy, in the order of the rows.
    void collect(const AccessRowBatch& batch);
    // The lists file's bytes (OpeningLists), sorting the long lists on two threads. Empty when
    // the lists cannot be told before the copy is finished: a table or column they come from
    // is missing, or a value of theirs is neither text nor null, which the copy would convert.
    QByteArray encode(QByteArrayView conversion) const;

    // A stored column: each row's value, null or bytes in one buffer.
    struct Column
    {
        struct Span
        {
            quint32 offset = 0;
            qint32 size = -1; // null
        };
        std::vector<char> bytes;
        std::vector<Span> spans;

        void reserve(qint64 rows);
        OpeningLists::Value value(size_t row) const;
        // False for a value that is neither text nor null, or past what the column can hold.
        bool append(const AccessRowBatch& batch, int row, int column);
    };

private:
    // The columns gathered.
    enum Field
    {
        HouseReference,
        HouseDescription,
        Reference,
        Company,
        Family,
        FamilyDescription,
        FieldCount
    };
    struct Gathered
    {
        int table = -1;
        int column = -1;
        Column values;
    };

    const Column& field(Field which) const { return m_fields[which].values; }
    // The rows of the competitor references: those whose manufacturer is set and no house brand.
    std::vector<quint32> competitorRows() const;
    // The manufacturers' rows the distinct list shows, in its order.
    std::vector<quint32> companyRows(const std::vector<quint32>& competitors) const;

    Gathered m_fields[FieldCount];
    int m_versionTable = -1;
    // The version table's first row, one value per column.
    Column m_version;
    QByteArray m_qv;
    QByteArray m_vestral;
    bool m_sure = true;
};
