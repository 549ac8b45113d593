#include "Connection.h"

#include "LetterCaseSql.h"
#include "ReadOnlyVfs.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace {

// How long a statement waits for a file that another program holds locked.
constexpr int kBusyTimeoutMs = 5000;

} // namespace

Connection::~Connection()
{
    close();
}

void Connection::close()
{
    // A result still open somewhere ends the connection when it is finalized.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

EngineError Connection::lastError() const
{
    return m_db ? EngineError::of(m_db) : m_openError;
}

void Connection::noteFailure() const
{
    const EngineError why = lastError();
    {
        const QMutexLocker locker(&m_failureLock);
        m_lastFailure = why;
    }
    ++m_failures;
}

EngineError Connection::lastFailure() const
{
    const QMutexLocker locker(&m_failureLock);
    return m_lastFailure;
}

bool Connection::open(const QString& sqlitePath)
{
    close();
    m_openError = EngineError();
    m_path = sqlitePath;
    // SQLite would create a missing file; a missing catalogue must fail instead.
    if (!QFileInfo(sqlitePath).isFile())
        return false;
    const char* vfs = ReadOnlyVfs::name();
    if (!vfs)
        return false;
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_PRIVATECACHE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(sqlitePath.toUtf8().constData(), &m_db, flags, vfs) != SQLITE_OK) {
        m_openError = EngineError::of(m_db);
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // The lookups' comparisons live on the connection; without them no lookup could run.
    if (!LetterCaseSql::install(m_db)) {
        close();
        return false;
    }
    return true;
}
