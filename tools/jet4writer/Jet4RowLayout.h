#pragma once

#include "Jet4ColumnDefinition.h"
#include "Jet4Edits.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <QVector>

class Jet4LongValueStore;

// Where each column of a table lives in a row: fixed-size columns at fixed offsets after
// the column count, variable-size columns in order after them, located through an offset
// table kept at the row's end in front of the null mask.
class Jet4RowLayout
{
public:
    explicit Jet4RowLayout(const QVector<Jet4ColumnDefinition>& columns);

    int columnCount() const { return m_columns.size(); }
    int variableColumnCount() const { return m_variableCount; }
    bool isFixed(int column) const;
    int fixedOffset(int column) const { return m_fixedOffsets.at(column); }
    int variableIndex(int column) const { return m_variableIndexes.at(column); }
    static int storedSize(Jet4ColumnDefinition::Kind kind);

    // Packs one row; a null QVariant stores a null. Empty when a value does not fit its
    // column or the row does not fit a page (see error()).
    QByteArray pack(const QVariantList& values, Jet4LongValueStore& longValues, QString* error) const;
    // The same for a row written before columns were added, or with slack bytes (`edits`).
    QByteArray pack(const QVariantList& values, Jet4LongValueStore& longValues, QString* error,
                    const Jet4RowEdits& edits) const;

private:
    QVector<Jet4ColumnDefinition> m_columns;
    QVector<int> m_fixedOffsets;
    QVector<int> m_variableIndexes;
    int m_fixedSize = 0;
    int m_variableCount = 0;
};
