#pragma once

#include "IndexDefinition.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class IndexKeys;
class QFileDevice;
class SqliteFileHeader;
struct sqlite3;

// Builds the indexes of a database file that was just filled, in a fraction of the time
// CREATE INDEX takes over large tables: each table's keys are read back once and every
// index's entries are sorted in memory, on all processors; the entries are then written as
// b-tree pages after the file's last page, and the indexes entered in the schema with those
// pages as their roots. An index whose order or entries this cannot reproduce exactly
// (another collation, entries too long for one page) is left to CREATE INDEX, in its place
// in the order given.
//
// The steps need the file in three states: open (readKeys), closed (appendPages, which also
// sorts), and open again with no other connection (declare).
class IndexBulkLoad
{
public:
    explicit IndexBulkLoad(QVector<IndexDefinition> indexes);
    ~IndexBulkLoad();

    // Called now and then during the longer steps.
    void whileWorking(const std::function<void()>& working) { m_working = working; }
    // Called after each index is complete, with the number complete so far.
    void afterEachIndex(const std::function<void(int done, int total)>& done) { m_done = done; }

    // The columns whose values the indexes of `table` need, for IndexKeys.
    QStringList keyColumns(const QString& table) const;
    // Keys gathered while the table was filled, which spares reading them back.
    void useKeys(const QString& table, std::shared_ptr<const IndexKeys> keys);
    // Reads back the keys of the tables not given to useKeys().
    void readKeys(sqlite3* db, const QString& path);
    bool appendPages(const QString& path, QString* error);
    bool declare(sqlite3* db, QString* error);

private:
    struct Index;

    static void sortEntries(Index& index, bool smallConstants);
    bool appendIndex(Index& index, QFileDevice& file, const SqliteFileHeader& header, quint32* nextPage);
    bool enterInSchema(sqlite3* db, const Index& index, QString* error);
    bool bumpSchemaVersion(sqlite3* db, QString* error);
    void indexDone();
    void working();

    std::vector<std::unique_ptr<Index>> m_indexes;
    QHash<QString, std::shared_ptr<const IndexKeys>> m_keys;
    std::function<void()> m_working;
    std::function<void(int, int)> m_done;
    int m_doneCount = 0;
};
