#pragma once

#include <QString>

struct sqlite3;

// What the engine said of a call that failed: SQLite's result code and its own (English) text.
// Plain data: the windows say it in the user's language from its kind.
struct EngineError
{
    enum class Kind
    {
        None,
        NotADatabase,
        Damaged,
        MissingTableOrColumn,
        NoPermission,
        Locked,
        ReadError,
        Other,
    };

    int code = 0; // SQLite's primary result code; 0 when nothing failed
    QString text;

    bool isEmpty() const { return code == 0 && text.isEmpty(); }
    Kind kind() const;

    // The last failure on `db`; none when its last call succeeded.
    static EngineError of(sqlite3* db);
};
