#include "ListQuery.h"

#include "Connection.h"

#include <QSqlError>
#include <QSqlQuery>

ListQuery ListQuery::run(const Connection* conn, const QString& sql, const QVariantList& values)
{
    ListQuery result;
    if (!conn || !conn->isOpen())
        return result;
    QSqlQuery query(conn->database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return result;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        return result;

    QStringList texts;
    std::vector<bool> nulls;
    while (query.next()) {
        const QVariant value = query.value(0);
        nulls.push_back(value.isNull());
        texts.append(value.isNull() ? QString() : value.toString());
    }
    // A read that stops on an error (a damaged file) is a failed query, not a short list.
    if (query.lastError().isValid())
        return result;
    result.ok = true;
    result.rows = CachedList(std::move(texts), std::move(nulls));
    return result;
}
