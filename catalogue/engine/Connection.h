#pragma once

#include "EngineError.h"

#include <QMutex>
#include <QString>

#include <atomic>

struct sqlite3;

// One read-only connection to a catalogue file. The program never writes to the catalogue,
// nor creates a file beside it, whatever the file's journal mode (ReadOnlyVfs).
class Connection
{
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an SQLite catalogue file; false when it is missing or cannot be opened.
    bool open(const QString& sqlitePath);
    bool isOpen() const { return m_db != nullptr; }
    // The engine's handle the statements run on; null while closed.
    sqlite3* handle() const { return m_db; }
    // The file last opened.
    QString path() const { return m_path; }
    void close();
    // What the engine said of the last call that failed on this connection, or of a failed
    // opening; empty when the last call succeeded.
    EngineError lastError() const;

    // A query that could not run on this connection, closed or not, counts here with the
    // engine's reason: a lookup tells a catalogue it could not read from one that holds nothing.
    // Noted by the thread that runs the query; read once that query's work is taken.
    void noteFailure() const;
    int failures() const { return m_failures.load(); }
    EngineError lastFailure() const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    EngineError m_openError;
    mutable std::atomic<int> m_failures{0};
    mutable QMutex m_failureLock;
    mutable EngineError m_lastFailure;
};
