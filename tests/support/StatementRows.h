#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

struct sqlite3;

// Every row of a statement's answer, each a list of its columns' values, read through the
// program's own statement class. Empty, with the reason in `error`, when it cannot run.
QList<QVariantList> statementRows(sqlite3* db, const QString& sql, const QVariantList& values = {},
                                  QString* error = nullptr);
