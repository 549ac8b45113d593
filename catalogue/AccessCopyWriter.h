#pragma once

#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// The SQLite file an import writes: created new, filled through one prepared insert at a
// time with every value bound as a parameter, tuned for one bulk load that nobody reads
// until it is complete (no journal, no syncs: an interrupted load is thrown away whole).
class AccessCopyWriter
{
public:
    explicit AccessCopyWriter(const QString& path);
    ~AccessCopyWriter();
    AccessCopyWriter(const AccessCopyWriter&) = delete;
    AccessCopyWriter& operator=(const AccessCopyWriter&) = delete;

    bool open();
    bool execute(const QString& sql);
    bool prepare(const char* insertStatement);
    // QString binds as text, QByteArray as a blob, numbers as numbers, a null QVariant as null.
    bool insert(const QVariantList& values);
    bool close();
    QString errorString() const { return m_error; }

private:
    bool fail();
    void finalize();

    QString m_path;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
    QString m_error;
};
