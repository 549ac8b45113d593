#pragma once

#include <QStringList>
#include <memory>
#include <vector>

class AccessRowBatch;
class AccessTableCopy;
class IndexBulkLoad;
class IndexKeys;
struct sqlite3;

// The index keys of the tables an import fills, gathered from each batch of rows as it is
// inserted (the inserts wait on the Access file most of the time), so that the indexes need
// not read them back from the new file.
class AccessIndexKeys
{
public:
    // The tables must exist in `db`, still empty.
    AccessIndexKeys(sqlite3* db, const std::vector<AccessTableCopy>& tables, const IndexBulkLoad& indexes);
    ~AccessIndexKeys();

    // After the batch's rows were inserted.
    void add(const AccessRowBatch& batch);
    // Passes on the keys of every table gathered whole and as SQLite stored them.
    void handOver(IndexBulkLoad& indexes);

private:
    struct Table;
    std::vector<std::unique_ptr<Table>> m_tables;
};
