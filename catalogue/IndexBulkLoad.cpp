#include "IndexBulkLoad.h"

#include "ByteBlocks.h"
#include "IndexKeys.h"
#include "IndexPageWriter.h"
#include "SqliteFileHeader.h"

#include <QFile>
#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <chrono>
#include <future>
#include <sqlite3.h>
#include <thread>

namespace {

// Indexes on more columns than this are left to CREATE INDEX.
constexpr size_t kMostColumns = 3;

bool run(sqlite3* db, const QByteArray& sql, QString* error)
{
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    *error = QString::fromUtf8(sqlite3_errmsg(db));
    return false;
}

// Index entries one after another, each after its length in two bytes, found by a 32-bit
// position that grows with each entry added.
class EntryBlocks
{
public:
    // False when the positions no longer fit in 32 bits.
    bool add(const QByteArray& entry, quint32* position)
    {
        quint64 at = 0;
        char* out = m_blocks.reserve(quint32(entry.size()) + 2, &at);
        if (at > 0xffffffffu)
            return false;
        qToBigEndian(quint16(entry.size()), out);
        std::memcpy(out + 2, entry.constData(), size_t(entry.size()));
        *position = quint32(at);
        return true;
    }

    QByteArrayView at(quint32 position) const
    {
        const char* entry = m_blocks.at(position);
        return QByteArrayView(entry + 2, qFromBigEndian<quint16>(entry));
    }

private:
    ByteBlocks m_blocks;
};

void wait(std::future<void>& task, const std::function<void()>& working)
{
    while (task.valid() && task.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
        working();
}

} // namespace

struct IndexBulkLoad::Index
{
    IndexDefinition definition;
    // Null when CREATE INDEX builds the index.
    std::shared_ptr<const IndexKeys> keys;
    std::vector<int> columns;
    int requiredColumn = -1;
    // The entries in the order of the rows.
    EntryBlocks entries;
    // Where each entry starts, in index order.
    std::vector<quint32> order;
    bool sorted = false;
    // The root page written for the index; 0 when CREATE INDEX builds it.
    quint32 root = 0;
};

IndexBulkLoad::IndexBulkLoad(QVector<IndexDefinition> indexes)
{
    for (IndexDefinition& definition : indexes) {
        m_indexes.push_back(std::make_unique<Index>());
        m_indexes.back()->definition = std::move(definition);
    }
}

IndexBulkLoad::~IndexBulkLoad() = default;

void IndexBulkLoad::indexDone()
{
    ++m_doneCount;
    if (m_done)
        m_done(m_doneCount, int(m_indexes.size()));
}

void IndexBulkLoad::working()
{
    if (m_working)
        m_working();
}

QStringList IndexBulkLoad::keyColumns(const QString& table) const
{
    QStringList columns;
    for (const auto& index : m_indexes) {
        const IndexDefinition& definition = index->definition;
        if (definition.table != table)
            continue;
        for (const QString& column : definition.columns + QStringList{definition.requiredColumn}) {
            if (!column.isEmpty() && !columns.contains(column))
                columns << column;
        }
    }
    return columns;
}

void IndexBulkLoad::useKeys(const QString& table, std::shared_ptr<const IndexKeys> keys)
{
    m_keys.insert(table, std::move(keys));
}

void IndexBulkLoad::readKeys(sqlite3* db, const QString& path)
{
    QFile file(path);
    SqliteFileHeader header;
    if (!file.open(QIODevice::ReadOnly) || !header.read(file) || !header.canAppendPages()) {
        m_keys.clear();
        return;
    }
    const quint32 longest = IndexPageWriter::maxEntrySize(header.usableSize());
    for (const auto& index : m_indexes) {
        const QString& table = index->definition.table;
        if (!m_keys.contains(table)) {
            // Each table is read once, for all the columns its indexes need.
            auto keys = std::make_shared<IndexKeys>();
            m_keys.insert(table, keys->read(db, table, keyColumns(table)) ? keys : nullptr);
            working();
        }
        const std::shared_ptr<const IndexKeys> keys = m_keys.value(table);
        if (!keys || index->definition.columns.size() > int(kMostColumns))
            continue;
        for (const QString& column : index->definition.columns)
            index->columns.push_back(keys->columnOf(column));
        if (!index->definition.requiredColumn.isEmpty())
            index->requiredColumn = keys->columnOf(index->definition.requiredColumn);
        const bool known = std::find(index->columns.begin(), index->columns.end(), -1) == index->columns.end();
        // Entries too long for one page need overflow pages: CREATE INDEX writes those.
        if (known && keys->longestEntry(index->columns) <= longest)
            index->keys = keys;
    }
    // The indexes hold what they need.
    m_keys.clear();
}

void IndexBulkLoad::sortEntries(Index& index, bool smallConstants)
{
    // A row's key: the ranks of its values, then where its entry starts, which grows with
    // the rowid and so breaks ties as the rowid does.
    struct Key
    {
        quint64 high;
        quint64 low;
        bool operator<(const Key& other) const { return high != other.high ? high < other.high : low < other.low; }
    };
    const IndexKeys& keys = *index.keys;
    std::vector<Key> rowKeys;
    rowKeys.reserve(size_t(keys.rowCount()));
    QByteArray entry;
    for (int row = 0; row < keys.rowCount(); ++row) {
        if (index.requiredColumn >= 0 && keys.isNull(row, index.requiredColumn))
            continue;
        keys.entry(index.columns, row, smallConstants, entry);
        quint32 start = 0;
        if (!index.entries.add(entry, &start)) {
            index.keys.reset(); // too large for this writer: CREATE INDEX builds it
            index.entries = {};
            return;
        }
        quint32 parts[kMostColumns + 1] = {};
        for (size_t i = 0; i < index.columns.size(); ++i)
            parts[i] = keys.rank(row, index.columns[i]);
        parts[kMostColumns] = quint32(start);
        rowKeys.push_back({quint64(parts[0]) << 32 | parts[1], quint64(parts[2]) << 32 | parts[3]});
    }
    std::sort(rowKeys.begin(), rowKeys.end());
    index.sorted = true;
    index.order.reserve(rowKeys.size());
    for (const Key& key : rowKeys)
        index.order.push_back(quint32(key.low & 0xffffffffu));
    // The entries are all the pages need: the table's keys go with the last index sorted.
    index.keys.reset();
}

bool IndexBulkLoad::appendIndex(Index& index, QFileDevice& file, const SqliteFileHeader& header,
                                quint32* nextPage)
{
    IndexPageWriter writer(file, header.pageSize(), header.usableSize(), *nextPage);
    index.root = writer.write(qint64(index.order.size()),
                              [&](qint64 i) { return index.entries.at(index.order[size_t(i)]); });
    *nextPage = writer.nextPage();
    return index.root != 0;
}

bool IndexBulkLoad::appendPages(const QString& path, QString* error)
{
    QFile file(path);
    SqliteFileHeader header;
    const auto failed = [&] {
        *error = QStringLiteral("cannot write the indexes of %1: %2").arg(path, file.errorString());
        return false;
    };
    if (!file.open(QIODevice::ReadWrite) || !header.read(file))
        return failed();
    if (!header.canAppendPages()) {
        for (const auto& index : m_indexes)
            index->keys.reset();
        return true;
    }
    const bool smallConstants = header.smallConstants();

    // Indexes sort on the other processors while the pages of the ones before are written.
    const size_t count = m_indexes.size();
    const size_t ahead = std::max(2u, std::thread::hardware_concurrency());
    std::vector<std::future<void>> sorting(count);
    size_t started = 0;
    quint32 nextPage = header.pageCount() + 1;
    bool written = file.seek(file.size());
    for (size_t i = 0; i < count && written; ++i) {
        for (; started < count && started <= i + ahead; ++started) {
            Index* index = m_indexes[started].get();
            if (index->keys)
                sorting[started] = std::async(std::launch::async, [index, smallConstants] {
                    sortEntries(*index, smallConstants);
                });
        }
        wait(sorting[i], [this] { working(); });
        Index& index = *m_indexes[i];
        if (!index.sorted)
            continue;
        written = appendIndex(index, file, header, &nextPage);
        index.entries = {};
        index.order = {};
        if (written)
            indexDone();
    }
    for (std::future<void>& task : sorting)
        wait(task, [this] { working(); });
    if (!written)
        return failed();
    if (nextPage != header.pageCount() + 1 && !header.writePageCount(file, nextPage - 1))
        return failed();
    if (!file.flush())
        return failed();
    file.close();
    return file.error() == QFileDevice::NoError || failed();
}

bool IndexBulkLoad::enterInSchema(sqlite3* db, const Index& index, QString* error)
{
    if (!run(db, "PRAGMA writable_schema = ON", error))
        return false;
    const char* sql = "INSERT INTO sqlite_master (type, name, tbl_name, rootpage, sql) VALUES ('index', ?, ?, ?, ?)";
    const QByteArray name = index.definition.name.toUtf8();
    const QByteArray table = index.definition.table.toUtf8();
    const QByteArray statement = index.definition.createStatement().toUtf8();
    sqlite3_stmt* insert = nullptr;
    const bool entered =
        sqlite3_prepare_v2(db, sql, -1, &insert, nullptr) == SQLITE_OK &&
        sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_STATIC) == SQLITE_OK &&
        sqlite3_bind_text(insert, 2, table.constData(), int(table.size()), SQLITE_STATIC) == SQLITE_OK &&
        sqlite3_bind_int64(insert, 3, index.root) == SQLITE_OK &&
        sqlite3_bind_text(insert, 4, statement.constData(), int(statement.size()), SQLITE_STATIC) == SQLITE_OK &&
        sqlite3_step(insert) == SQLITE_DONE;
    if (!entered)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(insert);
    // RESET also has this connection read the schema again, the new index included.
    return run(db, "PRAGMA writable_schema = RESET", error) && entered;
}

bool IndexBulkLoad::bumpSchemaVersion(sqlite3* db, QString* error)
{
    // Tells any connection that knew the schema before that it changed.
    sqlite3_stmt* read = nullptr;
    qint64 version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &read, nullptr) == SQLITE_OK &&
        sqlite3_step(read) == SQLITE_ROW)
        version = sqlite3_column_int64(read, 0);
    sqlite3_finalize(read);
    if (version < 0) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    return run(db, "PRAGMA schema_version = " + QByteArray::number((version + 1) & 0x7fffffff), error);
}

bool IndexBulkLoad::declare(sqlite3* db, QString* error)
{
    bool entered = false;
    for (const auto& index : m_indexes) {
        if (index->root != 0) {
            if (!enterInSchema(db, *index, error))
                return false;
            entered = true;
            continue;
        }
        if (!run(db, index->definition.createStatement().toUtf8(), error))
            return false;
        indexDone();
    }
    // Reading the schema back proves that every entry parses.
    return (!entered || bumpSchemaVersion(db, error)) &&
           run(db, "SELECT count(*) FROM sqlite_master WHERE type = 'index'", error);
}
