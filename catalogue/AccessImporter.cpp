#include "AccessImporter.h"

#include "AccessCatalogueLayout.h"
#include "AccessCopyWriter.h"
#include "AccessDatabase.h"
#include "AccessIndexKeys.h"
#include "AccessImportProgress.h"
#include "AccessRowQueue.h"
#include "AccessTableCopy.h"
#include "CatalogueSchema.h"
#include "IndexBulkLoad.h"

#include <thread>
#include <vector>

namespace {

constexpr int kBatchRows = 2048;
constexpr qsizetype kBatchBytes = 2 * 1024 * 1024;
constexpr size_t kBatchesAhead = 8;

// Runs on a thread of its own: reads the tables in order and queues their rows in batches.
// Only this thread touches the Access file, only the caller's the SQLite file.
void readTables(std::vector<AccessTableCopy>& tables, AccessRowQueue& queue, QString* error)
{
    for (size_t t = 0; t < tables.size(); ++t) {
        AccessTableCopy& table = tables[t];
        const int columns = table.layout().columns.size();
        auto batch = std::make_unique<AccessRowBatch>(int(t), columns, kBatchBytes + kBatchBytes / 2);
        while (table.readRow(*batch)) {
            if (batch->rowCount() >= kBatchRows || batch->byteCount() >= kBatchBytes) {
                if (!queue.push(std::move(batch)))
                    return;
                batch = std::make_unique<AccessRowBatch>(int(t), columns, kBatchBytes + kBatchBytes / 2);
            }
        }
        if (!table.readWhole(error)) {
            queue.close();
            return;
        }
        if (batch->rowCount() > 0 && !queue.push(std::move(batch)))
            return;
    }
    queue.close();
}

bool writeRows(std::vector<AccessTableCopy>& tables, AccessCopyWriter& writer, AccessRowQueue& queue,
               AccessIndexKeys& keys, AccessImportProgress& progress, QString* error)
{
    int prepared = -1;
    qint64 done = 0;
    while (std::unique_ptr<AccessRowBatch> batch = queue.pop()) {
        if (batch->table() != prepared) {
            prepared = batch->table();
            if (!writer.prepare(tables[size_t(prepared)].layout().insertStatement)) {
                *error = writer.errorString();
                return false;
            }
        }
        if (!writer.insert(*batch)) {
            *error = writer.errorString();
            return false;
        }
        keys.add(*batch);
        done += batch->rowCount();
        progress.rows(done);
    }
    return true;
}

bool copyRows(std::vector<AccessTableCopy>& tables, AccessCopyWriter& writer, AccessIndexKeys& keys,
              AccessImportProgress& progress, QString* error)
{
    AccessRowQueue queue(kBatchesAhead);
    QString readError;
    std::thread reader(readTables, std::ref(tables), std::ref(queue), &readError);
    QString writeError;
    const bool written = writeRows(tables, writer, queue, keys, progress, &writeError);
    // Stops the reader early when writing failed.
    queue.close();
    reader.join();
    if (!readError.isEmpty() || !written) {
        *error = readError.isEmpty() ? writeError : readError;
        return false;
    }
    return true;
}

// The index pages go after the file's last page while no connection has the file open; the
// schema learns of them on a connection of its own.
bool buildIndexes(AccessCopyWriter& writer, IndexBulkLoad& indexes, const QString& sqlitePath,
                  AccessImportProgress& report, QString* error)
{
    const auto failed = [&] {
        *error = writer.errorString();
        return false;
    };
    indexes.whileWorking([&report] { report.stillWorking(); });
    indexes.afterEachIndex([&report](int done, int total) { report.indexes(done, total); });
    indexes.readKeys(writer.database(), sqlitePath);
    if (!writer.close())
        return failed();
    if (!indexes.appendPages(sqlitePath, error))
        return false;
    if (!writer.reopen())
        return failed();
    return indexes.declare(writer.database(), error) && (writer.close() || failed());
}

} // namespace

namespace AccessImporter {

bool convert(const QString& accessPath, const QString& sqlitePath, const std::function<void(int)>& progress,
             QString* error)
{
    AccessDatabase database(accessPath);
    if (!database.isOpen()) {
        *error = QStringLiteral("%1 is not a readable Access file").arg(accessPath);
        return false;
    }
    std::vector<AccessTableCopy> tables;
    qint64 totalRows = 0;
    for (const AccessCatalogueTable& layout : AccessCatalogueLayout::tables()) {
        AccessTableCopy table(layout);
        if (!table.plan(database, error))
            return false;
        totalRows += table.declaredRowCount();
        tables.push_back(std::move(table));
    }

    AccessImportProgress report(progress, totalRows);
    AccessCopyWriter writer(sqlitePath);
    const auto failed = [&] {
        *error = writer.errorString();
        return false;
    };
    if (!writer.open())
        return failed();
    for (const QString& statement : CatalogueSchema::createTableStatements()) {
        if (!writer.execute(statement))
            return failed();
    }
    writer.whileWorking([&report] { report.stillWorking(); });
    if (!writer.execute(QStringLiteral("BEGIN")))
        return failed();
    IndexBulkLoad indexes(CatalogueSchema::indexes());
    AccessIndexKeys keys(writer.database(), tables, indexes);
    if (!copyRows(tables, writer, keys, report, error))
        return false;
    if (!writer.execute(QStringLiteral("COMMIT")))
        return failed();
    keys.handOver(indexes);
    return buildIndexes(writer, indexes, sqlitePath, report, error);
}

} // namespace AccessImporter
