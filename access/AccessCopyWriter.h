#pragma once

#include "base/SqliteStatement.h"

#include <QString>
#include <functional>

class AccessRowBatch;
struct sqlite3;

// The SQLite file an import writes: created new, filled through one table's prepared insert
// at a time with every value bound as a parameter, tuned for one bulk load that nobody reads
// until it is complete (no journal, no syncs: an interrupted load is thrown away whole).
class AccessCopyWriter
{
public:
    explicit AccessCopyWriter(const QString& path);
    ~AccessCopyWriter();
    AccessCopyWriter(const AccessCopyWriter&) = delete;
    AccessCopyWriter& operator=(const AccessCopyWriter&) = delete;

    // Creates the file anew.
    bool open();
    // Called every few milliseconds while SQLite works, with the virtual machine steps taken
    // since the last call, so that a long index build can show how far it has come.
    void whileWorking(const std::function<void(int)>& callback);
    bool execute(const QString& sql);
    // An insert statement of CatalogueSchema: "INSERT INTO t (columns) VALUES (?, ...)".
    bool prepare(const char* insertStatement);
    // Inserts the batch's rows through the prepared insert.
    bool insert(const AccessRowBatch& batch);
    // The last step: what is written reaches the disk, then the layout version and the mark
    // of a finished copy do, each synced before the next.
    bool markFinished();
    bool close();
    QString errorString() const { return m_error; }

private:
    bool fail();
    bool fail(const SqliteStatement& statement);
    void finalize();
    bool bindRow(SqliteStatement& statement, int firstParameter, const AccessRowBatch& batch, int row);
    bool run(SqliteStatement& statement);
    static int working(void* writer);

    QString m_path;
    sqlite3* m_db = nullptr;
    SqliteStatement m_insert;
    // The same insert for many rows at once, which spares most of the per-statement work.
    SqliteStatement m_insertMany;
    QString m_error;
    std::function<void(int)> m_working;
};
