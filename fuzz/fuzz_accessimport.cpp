// Reading a damaged Access catalogue the way the import does: every catalogue table planned
// and read into batches, the opening's lists gathered from them and put in order, and every
// table of the file read value by value. The reader either reads or refuses; it never crashes,
// hangs, reads outside its pages or grows without bound, and lists made are read back whole.

#include "FuzzApplication.h"
#include "FuzzCheck.h"
#include "access/AccessCatalogueLayout.h"
#include "access/AccessDatabase.h"
#include "access/AccessOpeningLists.h"
#include "access/AccessRowBatch.h"
#include "access/AccessTableCopy.h"
#include "access/AccessTableReader.h"

#include <QFile>

#include <cstdint>

namespace {

// A damaged file may declare any number of rows; the batches are emptied as the import's are.
constexpr int kBatchRows = 256;

void copyCatalogueTables(AccessDatabase& database)
{
    std::vector<AccessTableCopy> tables;
    QStringList names;
    QList<QStringList> columns;
    std::vector<qint64> declared;
    for (const AccessCatalogueTable& layout : AccessCatalogueLayout::tables()) {
        AccessTableCopy table(layout);
        QString error;
        if (!table.plan(database, &error))
            return;
        names.append(layout.name);
        columns.append(layout.columns);
        declared.push_back(table.declaredRowCount());
        tables.push_back(std::move(table));
    }
    AccessOpeningLists lists(names, columns, declared);
    for (size_t t = 0; t < tables.size(); ++t) {
        const int width = int(columns[int(t)].size());
        AccessRowBatch batch(int(t), width, kBatchRows, 0);
        while (tables[t].readRow(batch)) {
            if (batch.rowCount() >= kBatchRows) {
                lists.collect(batch);
                batch = AccessRowBatch(int(t), width, kBatchRows, 0);
            }
        }
        lists.collect(batch);
        QString error;
        if (!tables[t].readWhole(&error))
            return;
    }
    const QByteArray file = lists.encode("fuzz");
    if (!file.isEmpty())
        FUZZ_CHECK(OpeningLists::decode(file, "fuzz", [](int, OpeningLists::Value) {}));
}

void readEveryTable(AccessDatabase& database)
{
    for (const QString& name : database.tableNames()) {
        AccessTableReader reader(database, name);
        QVariantList values;
        while (reader.next(values))
            FUZZ_CHECK(values.size() == reader.columns().size());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzApplication::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = FuzzApplication::scratchDirectory() + QStringLiteral("/catalogue.mdb");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    AccessDatabase database(path);
    if (!database.isOpen())
        return 0;
    copyCatalogueTables(database);
    readEveryTable(database);
    return 0;
}
