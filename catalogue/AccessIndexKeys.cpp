#include "AccessIndexKeys.h"

#include "AccessRowBatch.h"
#include "AccessTableCopy.h"
#include "IndexBulkLoad.h"
#include "IndexKeys.h"

#include <algorithm>

struct AccessIndexKeys::Table
{
    QString name;
    // Null when the table has no indexes, or its keys cannot be gathered this way.
    std::shared_ptr<IndexKeys> keys;
    // The batch column of each key column.
    std::vector<int> batchColumns;
    std::vector<IndexKeys::Field> fields;
    qint64 rows = 0;
};

AccessIndexKeys::AccessIndexKeys(sqlite3* db, const std::vector<AccessTableCopy>& tables,
                                 const IndexBulkLoad& indexes)
{
    for (const AccessTableCopy& copy : tables) {
        auto table = std::make_unique<Table>();
        table->name = copy.layout().name;
        const QStringList keyColumns = indexes.keyColumns(table->name);
        for (const QString& column : keyColumns) {
            const QStringList& inserted = copy.layout().columns;
            const auto found = std::find_if(inserted.begin(), inserted.end(), [&](const QString& name) {
                return name.compare(column, Qt::CaseInsensitive) == 0;
            });
            table->batchColumns.push_back(found == inserted.end() ? -1 : int(found - inserted.begin()));
        }
        const bool known = std::find(table->batchColumns.begin(), table->batchColumns.end(), -1) ==
                           table->batchColumns.end();
        if (!keyColumns.isEmpty() && known) {
            table->keys = std::make_shared<IndexKeys>();
            if (!table->keys->start(db, table->name, keyColumns, IndexKeys::Source::Bound))
                table->keys.reset();
        }
        table->fields.resize(table->batchColumns.size());
        m_tables.push_back(std::move(table));
    }
}

AccessIndexKeys::~AccessIndexKeys() = default;

void AccessIndexKeys::add(const AccessRowBatch& batch)
{
    using Kind = AccessRowBatch::Value::Kind;
    Table& table = *m_tables[size_t(batch.table())];
    for (int row = 0; row < batch.rowCount(); ++row) {
        // A fresh table numbers its rows from 1 in the order they are inserted.
        ++table.rows;
        if (!table.keys)
            continue;
        for (size_t i = 0; i < table.fields.size(); ++i) {
            const AccessRowBatch::Value& value = batch.value(row, table.batchColumns[i]);
            IndexKeys::Field& field = table.fields[i];
            switch (value.kind) {
            case Kind::Null:
                field.kind = IndexKeys::Field::Kind::Null;
                break;
            case Kind::Integer:
                field.kind = IndexKeys::Field::Kind::Integer;
                field.integer = value.integer;
                break;
            case Kind::Real:
                field.kind = IndexKeys::Field::Kind::Real;
                field.real = value.real;
                break;
            case Kind::Text:
            case Kind::Blob:
                field.kind = value.kind == Kind::Text ? IndexKeys::Field::Kind::Text : IndexKeys::Field::Kind::Blob;
                field.bytes = batch.bytes(value);
                field.size = quint32(value.size);
                break;
            }
        }
        table.keys->addRow(table.rows, table.fields.data());
    }
}

void AccessIndexKeys::handOver(IndexBulkLoad& indexes)
{
    for (const auto& table : m_tables) {
        if (table->keys && table->keys->finish())
            indexes.useKeys(table->name, table->keys);
    }
}
