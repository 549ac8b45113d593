#include "ForwardResult.h"

#include "Connection.h"

ForwardResult ForwardResult::execute(const Connection* conn, const QString& sql, const QVariantList& values)
{
    ForwardResult result;
    if (!conn)
        return result;
    if (conn->isOpen()) {
        result.m_statement = SqliteStatement(conn->handle(), sql);
        if (result.m_statement.bindAll(values)) {
            const SqliteStatement::Step first = result.m_statement.step();
            result.m_open = first != SqliteStatement::Step::Failed;
            result.m_onRow = first == SqliteStatement::Step::Row;
        }
    }
    if (!result.m_open)
        conn->noteFailure();
    return result;
}

QVariant ForwardResult::field(const QString& name) const
{
    return eof() ? QVariant() : m_statement.value(m_statement.columnIndex(name));
}

QVariant ForwardResult::field(int position) const
{
    return eof() ? QVariant() : m_statement.value(position);
}

QStringList ForwardResult::fieldNames() const
{
    QStringList names;
    for (int c = 0; c < m_statement.columnCount(); ++c)
        names.append(m_statement.columnName(c));
    return names;
}

void ForwardResult::close()
{
    m_statement = SqliteStatement();
    m_open = false;
    m_onRow = false;
}
