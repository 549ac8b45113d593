#include "ListQuery.h"

#include "Connection.h"
#include "EngineHandle.h"

#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {

bool bind(sqlite3_stmt* statement, int position, const QVariant& value)
{
    if (value.isNull())
        return sqlite3_bind_null(statement, position) == SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, position, value.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
        return sqlite3_bind_double(statement, position, value.toDouble()) == SQLITE_OK;
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, position, text.constData(), int(text.size()), SQLITE_TRANSIENT)
               == SQLITE_OK;
    }
    }
}

// The first column of a row as the SQL layer would give it, turned into text.
void appendColumnText(sqlite3_stmt* statement, CachedList::Texts* texts)
{
    switch (sqlite3_column_type(statement, 0)) {
    case SQLITE_INTEGER:
        texts->append(QString::number(sqlite3_column_int64(statement, 0)));
        break;
    case SQLITE_FLOAT:
        texts->append(QVariant(sqlite3_column_double(statement, 0)).toString());
        break;
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        texts->appendUtf8(text, sqlite3_column_bytes(statement, 0));
        break;
    }
    }
}

// Lists run to a million rows: they are read straight from the engine, without a value
// object per row.
ListQuery runOnEngine(sqlite3* db, const QString& sql, const QVariantList& values)
{
    ListQuery result;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return result;
    }
    bool bound = true;
    for (int i = 0; i < values.size() && bound; ++i)
        bound = bind(statement, i + 1, values.at(i));

    CachedList::Texts texts;
    std::vector<bool> nulls;
    int step = bound ? sqlite3_step(statement) : SQLITE_ERROR;
    for (; step == SQLITE_ROW; step = sqlite3_step(statement)) {
        const bool null = sqlite3_column_type(statement, 0) == SQLITE_NULL;
        nulls.push_back(null);
        if (null)
            texts.append(QStringView());
        else
            appendColumnText(statement, &texts);
    }
    sqlite3_finalize(statement);
    // A read that stops on an error (a damaged file) is a failed query, not a short list.
    if (step != SQLITE_DONE)
        return result;
    result.ok = true;
    result.rows = CachedList(std::move(texts), std::move(nulls));
    return result;
}

ListQuery runThroughSqlLayer(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    ListQuery result;
    QSqlQuery query(db);
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
    if (query.lastError().isValid())
        return result;
    result.ok = true;
    result.rows = CachedList(std::move(texts), std::move(nulls));
    return result;
}

} // namespace

ListQuery ListQuery::run(const Connection* conn, const QString& sql, const QVariantList& values)
{
    if (!conn || !conn->isOpen())
        return ListQuery();
    const QSqlDatabase db = conn->database();
    if (sqlite3* engine = engineHandle(db))
        return runOnEngine(engine, sql, values);
    return runThroughSqlLayer(db, sql, values);
}
