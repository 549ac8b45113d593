#include "EngineError.h"

#include <sqlite3.h>

EngineError::Kind EngineError::kind() const
{
    switch (code) {
    case SQLITE_OK:
        return text.isEmpty() ? Kind::None : Kind::Other;
    case SQLITE_NOTADB:
        return Kind::NotADatabase;
    case SQLITE_CORRUPT:
        return Kind::Damaged;
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
        return Kind::NoPermission;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Kind::Locked;
    case SQLITE_IOERR:
        return Kind::ReadError;
    case SQLITE_ERROR:
        // The engine gives a missing table or column only as a general error: its text, which
        // SQLite keeps stable, tells it apart.
        if (text.startsWith(QLatin1String("no such table")) ||
            text.startsWith(QLatin1String("no such column")))
            return Kind::MissingTableOrColumn;
        return Kind::Other;
    default:
        return Kind::Other;
    }
}

EngineError EngineError::of(sqlite3* db)
{
    if (!db)
        return {};
    const int code = sqlite3_extended_errcode(db) & 0xff;
    if (code == SQLITE_OK)
        return {};
    return {code, QString::fromUtf8(sqlite3_errmsg(db))};
}
