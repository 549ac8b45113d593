#pragma once

#include "AccessCatalogueLayout.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>

class AccessDatabase;
class AccessRowBatch;
class AccessTableReader;
struct AccessValue;

// One catalogue table on its way from the Access file into the SQLite copy: which Access
// column feeds each column of the copy, and each value turned into what the copy stores.
class AccessTableCopy
{
public:
    explicit AccessTableCopy(const AccessCatalogueTable& layout);
    ~AccessTableCopy();
    AccessTableCopy(AccessTableCopy&&) noexcept;
    AccessTableCopy& operator=(AccessTableCopy&&) noexcept;

    // Finds the table and its columns; false (with the reason) when the file lacks what the
    // program needs or has the table but cannot read it.
    bool plan(AccessDatabase& database, QString* error);
    const AccessCatalogueTable& layout() const { return m_layout; }
    // False for an optional table the file does not have: the copy's table stays empty.
    bool present() const { return m_reader != nullptr; }
    qint64 declaredRowCount() const;

    // Appends the next row's values to the batch; false after the last row or on damage.
    bool readRow(AccessRowBatch& batch);
    // After the last row: whether the table read whole, and if not, why.
    bool readWhole(QString* error) const;

private:
    // Whether an Access column of Jet type `type` holds the values of the copy's `column`.
    bool holds(int type, const QString& column) const;
    // Every value takes this one way into the batch, in the form its column of the copy keeps.
    void append(AccessRowBatch& batch, int column, const AccessValue& value) const;

    AccessCatalogueTable m_layout;
    std::unique_ptr<AccessTableReader> m_reader;
    // For each column of the copy, its place in the values read, or -1 for null.
    QVector<int> m_sources;
    QVector<bool> m_storedFile;
};
