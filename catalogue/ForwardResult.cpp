#include "ForwardResult.h"

#include "Connection.h"

#include <QSqlRecord>

ForwardResult ForwardResult::execute(const Connection* conn, const QString& sql, const QVariantList& values)
{
    ForwardResult result;
    if (!conn || !conn->isOpen())
        return result;
    result.m_query = QSqlQuery(conn->database());
    result.m_query.setForwardOnly(true);
    if (!result.m_query.prepare(sql))
        return result;
    for (int i = 0; i < values.size(); ++i)
        result.m_query.bindValue(i, values.at(i));
    if (!result.m_query.exec())
        return result;
    result.m_open = true;
    result.m_query.next();
    return result;
}

QVariant ForwardResult::field(const QString& name) const
{
    if (eof())
        return QVariant();
    const int position = m_query.record().indexOf(name);
    return position < 0 ? QVariant() : m_query.value(position);
}

QVariant ForwardResult::field(int position) const
{
    if (eof() || position < 0 || position >= m_query.record().count())
        return QVariant();
    return m_query.value(position);
}

void ForwardResult::close()
{
    m_query.finish();
    m_query = QSqlQuery();
    m_open = false;
}
