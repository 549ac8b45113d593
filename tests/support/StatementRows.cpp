#include "StatementRows.h"

#include "base/SqliteStatement.h"

QList<QVariantList> statementRows(sqlite3* db, const QString& sql, const QVariantList& values, QString* error)
{
    SqliteStatement statement(db, sql);
    QList<QVariantList> rows;
    if (statement.bindAll(values)) {
        SqliteStatement::Step step = statement.step();
        for (; step == SqliteStatement::Step::Row; step = statement.step()) {
            QVariantList row;
            for (int c = 0; c < statement.columnCount(); ++c)
                row << statement.value(c);
            rows << row;
        }
        if (step == SqliteStatement::Step::Done)
            return rows;
    }
    if (error)
        *error = statement.errorString();
    return {};
}
