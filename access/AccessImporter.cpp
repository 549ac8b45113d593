#include "AccessImporter.h"

#include "AccessCatalogueLayout.h"
#include "AccessCopyWriter.h"
#include "AccessDatabase.h"
#include "AccessImportProgress.h"
#include "AccessOpeningLists.h"
#include "AccessRowQueue.h"
#include "AccessTableCopy.h"
#include "base/CatalogueSchema.h"

#include <QFile>
#include <QFileInfo>

#include <new>
#include <thread>
#include <vector>

namespace {

constexpr int kBatchRows = 2048;
constexpr qsizetype kBatchBytes = 2 * 1024 * 1024;
constexpr size_t kBatchesAhead = 8;

// Runs on a thread of its own: reads the tables in order and queues their rows in batches.
// Only this thread touches the Access file, only the caller's the SQLite file.
void readTables(std::vector<AccessTableCopy>& tables, AccessRowQueue& queue, AccessOpeningLists* lists,
                QString* error)
{
    for (size_t t = 0; t < tables.size(); ++t) {
        AccessTableCopy& table = tables[t];
        const int columns = table.layout().columns.size();
        auto batch =
            std::make_unique<AccessRowBatch>(int(t), columns, kBatchRows, kBatchBytes + kBatchBytes / 2);
        while (table.readRow(*batch)) {
            if (batch->rowCount() >= kBatchRows || batch->byteCount() >= kBatchBytes) {
                if (lists)
                    lists->collect(*batch);
                if (!queue.push(std::move(batch)))
                    return;
                batch = std::make_unique<AccessRowBatch>(int(t), columns, kBatchRows,
                                                         kBatchBytes + kBatchBytes / 2);
            }
        }
        if (!table.readWhole(error)) {
            queue.close();
            return;
        }
        if (lists && batch->rowCount() > 0)
            lists->collect(*batch);
        if (batch->rowCount() > 0 && !queue.push(std::move(batch)))
            return;
    }
    queue.close();
}

bool writeRows(std::vector<AccessTableCopy>& tables, AccessCopyWriter& writer, AccessRowQueue& queue,
               AccessImportProgress& progress, std::vector<qint64>& rowsPerTable, QString* error)
{
    int prepared = -1;
    qint64 done = 0;
    qint64 bytes = 0;
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
        rowsPerTable[size_t(batch->table())] += batch->rowCount();
        done += batch->rowCount();
        bytes += batch->byteCount();
        progress.rows(done, bytes);
    }
    return true;
}

bool copyRows(std::vector<AccessTableCopy>& tables, AccessCopyWriter& writer, AccessImportProgress& progress,
              std::vector<qint64>& rowsPerTable, AccessOpeningLists* lists, QString* error)
{
    AccessRowQueue queue(kBatchesAhead);
    QString readError;
    std::thread reader([&] {
        // Beyond the import's address space: refused like any file it cannot read.
        try {
            readTables(tables, queue, lists, &readError);
        } catch (const std::bad_alloc&) {
            readError = QStringLiteral("o arquivo precisa de mais memória do que a conversão pode usar");
            queue.close();
        }
    });
    QString writeError;
    const bool written = writeRows(tables, writer, queue, progress, rowsPerTable, &writeError);
    // Stops the reader early when writing failed.
    queue.close();
    reader.join();
    if (!readError.isEmpty() || !written) {
        *error = readError.isEmpty() ? writeError : readError;
        return false;
    }
    return true;
}

// The rows copied into the table an index orders.
qint64 rowsOf(const IndexDefinition& index, const std::vector<AccessTableCopy>& tables,
              const std::vector<qint64>& rowsPerTable)
{
    for (size_t t = 0; t < tables.size(); ++t) {
        if (tables[t].layout().name.compare(index.table, Qt::CaseInsensitive) == 0)
            return rowsPerTable[t];
    }
    return 0;
}

// The indexes are built once every row is in, by SQLite itself: it then sorts each index's
// keys in one pass instead of keeping every index in order row by row.
bool buildIndexes(AccessCopyWriter& writer, const std::vector<AccessTableCopy>& tables,
                  const std::vector<qint64>& rowsPerTable, AccessImportProgress& report)
{
    const QVector<IndexDefinition> indexes = CatalogueSchema::indexes();
    std::vector<qint64> steps;
    qint64 total = 0;
    for (const IndexDefinition& index : indexes) {
        steps.push_back(
            AccessImportProgress::indexSteps(rowsOf(index, tables, rowsPerTable), int(index.columns.size())));
        total += steps.back();
    }
    report.beginIndexes(total);
    qint64 built = 0;
    for (int i = 0; i < indexes.size(); ++i) {
        if (!writer.execute(indexes[i].createStatement()))
            return false;
        built += steps[size_t(i)];
        report.indexesBuilt(built);
    }
    for (const QString& statement : CatalogueSchema::statisticsStatements()) {
        if (!writer.execute(statement))
            return false;
    }
    return true;
}

std::unique_ptr<AccessOpeningLists> openingListsOf(const std::vector<AccessTableCopy>& tables)
{
    QStringList names;
    QList<QStringList> columns;
    std::vector<qint64> rows;
    for (const AccessTableCopy& table : tables) {
        names.append(table.layout().name);
        columns.append(table.layout().columns);
        rows.push_back(table.declaredRowCount());
    }
    return std::make_unique<AccessOpeningLists>(names, columns, rows);
}

// Written whole before it is announced: whoever reads it has been told it is complete. The lists
// name the copy they are of, by its file name.
bool writeOpeningLists(const AccessOpeningLists& lists, const QString& path, const QString& copy)
{
    const QByteArray bytes = lists.encode(QFileInfo(copy).fileName().toUtf8());
    if (bytes.isEmpty())
        return false;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
        file.flush())
        return true;
    file.remove();
    return false;
}

} // namespace

namespace AccessImporter {

bool convert(const QString& accessPath, const QString& sqlitePath, const std::function<void(int)>& progress,
             QString* error, const QString& listsPath, const std::function<void()>& listsWritten)
{
    AccessDatabase database(accessPath);
    if (!database.isOpen()) {
        *error = QStringLiteral("%1 não é um arquivo Access legível").arg(accessPath);
        if (!database.errorString().isEmpty())
            *error += QStringLiteral(": ") + database.errorString();
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

    AccessImportProgress report(progress, totalRows, QFileInfo(accessPath).size());
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
    writer.whileWorking([&report](int steps) { report.working(steps); });
    if (!writer.execute(QStringLiteral("BEGIN")))
        return failed();
    std::vector<qint64> rowsPerTable(tables.size(), 0);
    std::unique_ptr<AccessOpeningLists> lists = listsPath.isEmpty() ? nullptr : openingListsOf(tables);
    if (!copyRows(tables, writer, report, rowsPerTable, lists.get(), error))
        return false;
    if (!writer.execute(QStringLiteral("COMMIT")))
        return failed();
    if (lists && writeOpeningLists(*lists, listsPath, sqlitePath) && listsWritten)
        listsWritten();
    lists.reset();
    if (!buildIndexes(writer, tables, rowsPerTable, report) || !writer.markFinished() || !writer.close())
        return failed();
    return true;
}

} // namespace AccessImporter
