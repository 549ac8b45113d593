#include "ListQuery.h"

#include "Connection.h"
#include "SqliteStatement.h"

namespace {

// The first column of a row as text, as the lookups' results give it.
void appendColumnText(const SqliteStatement& statement, SqliteStatement::Type type,
                      CachedList::Builder* texts)
{
    switch (type) {
    case SqliteStatement::Type::Integer:
        texts->append(QString::number(statement.integer(0)));
        break;
    case SqliteStatement::Type::Real:
        texts->append(QVariant(statement.real(0)).toString());
        break;
    default: {
        const QByteArrayView text = statement.utf8(0);
        texts->appendUtf8(text.data(), text.size());
        break;
    }
    }
}

} // namespace

// Lists run to a million rows: they are read straight from the engine, without a value object
// per row.
ListQuery ListQuery::run(const Connection* conn, const QString& sql, const QVariantList& values,
                         const CancelFlag& cancel)
{
    constexpr int kRowsBetweenChecks = 8192;
    ListQuery result;
    if (!conn)
        return result;
    if (!conn->isOpen()) {
        conn->noteFailure();
        return result;
    }
    SqliteStatement statement(conn->handle(), sql);
    if (!statement.bindAll(values)) {
        conn->noteFailure();
        return result;
    }

    CachedList::Builder list;
    int rows = 0;
    SqliteStatement::Step step = statement.step();
    for (; step == SqliteStatement::Step::Row; step = statement.step()) {
        if (++rows % kRowsBetweenChecks == 0 && isCancelled(cancel))
            return result;
        const SqliteStatement::Type type = statement.type(0);
        if (type == SqliteStatement::Type::Null)
            list.appendNull();
        else
            appendColumnText(statement, type, &list);
    }
    // A read that stops on an error (a damaged file) is a failed query, not a short list.
    if (step != SqliteStatement::Step::Done) {
        conn->noteFailure();
        return result;
    }
    result.ok = true;
    result.rows = list.finish();
    return result;
}
