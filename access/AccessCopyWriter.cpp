#include "AccessCopyWriter.h"

#include "AccessRowBatch.h"

#include <QFile>

#include <sqlite3.h>

namespace {

// One bulk load into a file nobody else has open yet. CREATE INDEX sorts faster with a small
// page cache, which keeps its sorted runs within the processor's cache, and a worker thread
// sorting runs beside the main one (SQLite sorts on one thread when its temporary store is
// in memory).
const char* const kLoadSettings =
    "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE; "
    "PRAGMA temp_store = FILE; PRAGMA cache_size = -2048; PRAGMA threads = 2;";

constexpr int kRowsPerStatement = 32;
// Virtual machine steps between two calls of the working callback: a few milliseconds.
constexpr int kStepsBetweenSigns = 1 << 16;

// "INSERT INTO t (a, b) VALUES (?, ?)" for `rows` rows: the VALUES tuple repeated.
QByteArray manyRows(const char* insertStatement, int rows)
{
    const QByteArray single(insertStatement);
    const int values = single.indexOf("VALUES") + 6;
    const QByteArray tuple = single.mid(values).trimmed();
    QByteArray statement = single.left(values) + ' ' + tuple;
    for (int i = 1; i < rows; ++i)
        statement += ", " + tuple;
    return statement;
}

} // namespace

AccessCopyWriter::AccessCopyWriter(const QString& path) : m_path(path) {}

AccessCopyWriter::~AccessCopyWriter()
{
    finalize();
    if (m_db)
        sqlite3_close(m_db);
}

bool AccessCopyWriter::fail()
{
    if (m_error.isEmpty())
        m_error =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("cannot open %1").arg(m_path);
    return false;
}

void AccessCopyWriter::finalize()
{
    sqlite3_finalize(m_insert);
    sqlite3_finalize(m_insertMany);
    m_insert = nullptr;
    m_insertMany = nullptr;
}

bool AccessCopyWriter::open()
{
    QFile::remove(m_path);
    // Only one thread ever uses the connection.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, flags, nullptr) != SQLITE_OK)
        return fail();
    if (m_working)
        sqlite3_progress_handler(m_db, kStepsBetweenSigns, &AccessCopyWriter::working, this);
    return sqlite3_exec(m_db, kLoadSettings, nullptr, nullptr, nullptr) == SQLITE_OK || fail();
}

void AccessCopyWriter::whileWorking(const std::function<void(int)>& callback)
{
    m_working = callback;
    sqlite3_progress_handler(m_db, kStepsBetweenSigns, callback ? &AccessCopyWriter::working : nullptr, this);
}

int AccessCopyWriter::working(void* writer)
{
    static_cast<AccessCopyWriter*>(writer)->m_working(kStepsBetweenSigns);
    return 0; // carry on
}

bool AccessCopyWriter::execute(const QString& sql)
{
    return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK || fail();
}

bool AccessCopyWriter::prepare(const char* insertStatement)
{
    finalize();
    const QByteArray many = manyRows(insertStatement, kRowsPerStatement);
    return (sqlite3_prepare_v2(m_db, insertStatement, -1, &m_insert, nullptr) == SQLITE_OK &&
            sqlite3_prepare_v2(m_db, many.constData(), many.size(), &m_insertMany, nullptr) == SQLITE_OK) ||
           fail();
}

bool AccessCopyWriter::bindRow(sqlite3_stmt* statement, int firstParameter, const AccessRowBatch& batch,
                               int row)
{
    using Kind = AccessRowBatch::Value::Kind;
    for (int column = 0; column < batch.columnCount(); ++column) {
        const AccessRowBatch::Value& value = batch.value(row, column);
        const int index = firstParameter + column;
        int rc = SQLITE_OK;
        switch (value.kind) {
        case Kind::Null:
            rc = sqlite3_bind_null(statement, index);
            break;
        case Kind::Integer:
            rc = sqlite3_bind_int64(statement, index, value.integer);
            break;
        case Kind::Real:
            rc = sqlite3_bind_double(statement, index, value.real);
            break;
        case Kind::Text:
            // The batch outlives the statement's step, so SQLite need not copy.
            rc = sqlite3_bind_text(statement, index, batch.bytes(value), int(value.size), SQLITE_STATIC);
            break;
        case Kind::Blob:
            rc = sqlite3_bind_blob(statement, index, batch.bytes(value), int(value.size), SQLITE_STATIC);
            break;
        }
        if (rc != SQLITE_OK)
            return fail();
    }
    return true;
}

bool AccessCopyWriter::run(sqlite3_stmt* statement)
{
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    return rc == SQLITE_DONE || fail();
}

bool AccessCopyWriter::insert(const AccessRowBatch& batch)
{
    const int rows = batch.rowCount();
    const int columns = batch.columnCount();
    int row = 0;
    for (; row + kRowsPerStatement <= rows; row += kRowsPerStatement) {
        for (int i = 0; i < kRowsPerStatement; ++i) {
            if (!bindRow(m_insertMany, 1 + i * columns, batch, row + i))
                return false;
        }
        if (!run(m_insertMany))
            return false;
    }
    for (; row < rows; ++row) {
        if (!bindRow(m_insert, 1, batch, row) || !run(m_insert))
            return false;
    }
    return true;
}

bool AccessCopyWriter::close()
{
    finalize();
    const bool closed = sqlite3_close(m_db) == SQLITE_OK;
    if (!closed)
        fail();
    m_db = nullptr;
    return closed;
}
