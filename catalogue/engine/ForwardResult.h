#pragma once

#include "SqliteStatement.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class Connection;

// A forward-only result standing on its first row, as the lookups use it: they test
// whether a row was found and read the fields of that row by name.
class ForwardResult
{
public:
    ForwardResult() = default;

    static ForwardResult execute(const Connection* conn, const QString& sql, const QVariantList& values = {});

    // False when the query could not run; such a result also counts as at its end.
    bool isOpen() const { return m_open; }
    bool eof() const { return !m_open || !m_onRow; }

    // The field of the current row by name, without regard to case, or by position. An
    // invalid QVariant means the read failed (no row, no such field); a null value is a
    // valid, null QVariant.
    QVariant field(const QString& name) const;
    QVariant field(int position) const;
    QStringList fieldNames() const;

    void close();

private:
    SqliteStatement m_statement;
    bool m_open = false;
    bool m_onRow = false;
};
