#include "Connection.h"

#include "EngineHandle.h"
#include "LetterCaseSql.h"

#include <QAtomicInt>
#include <QFileInfo>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("catalogue-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

Connection::Connection()
    : m_name(nextConnectionName())
{
}

Connection::~Connection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool Connection::open(const QString& sqlitePath)
{
    // SQLite would create a missing file; a missing catalogue must fail instead.
    if (!QFileInfo(sqlitePath).isFile())
        return false;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(sqlitePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        return false;
    // The lookups' comparisons live on the connection; without them no lookup could run.
    if (!LetterCaseSql::install(engineHandle(db))) {
        db.close();
        return false;
    }
    return true;
}

bool Connection::isOpen() const
{
    const QSqlDatabase db = QSqlDatabase::database(m_name, false);
    return db.isValid() && db.isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}
