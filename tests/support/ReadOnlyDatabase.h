#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTest>
#include <QUuid>

// Runs `check` on an SQLite file opened read-only, as the catalogue program opens it.
template <typename Check> void withDatabase(const QString& path, Check check)
{
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY2(db.open(), qPrintable(path));
        check(db);
    }
    QSqlDatabase::removeDatabase(connection);
}
