#include "AccessCopyWriter.h"

#include "AccessRowBatch.h"
#include "base/ImportProgram.h"

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

bool AccessCopyWriter::fail(const SqliteStatement& statement)
{
    if (m_error.isEmpty())
        m_error = statement.errorString();
    return false;
}

bool AccessCopyWriter::fail()
{
    if (m_error.isEmpty())
        m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                       : QStringLiteral("não foi possível abrir %1").arg(m_path);
    return false;
}

void AccessCopyWriter::finalize()
{
    m_insert = SqliteStatement();
    m_insertMany = SqliteStatement();
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
    m_insert = SqliteStatement(m_db, QByteArrayView(insertStatement));
    m_insertMany = SqliteStatement(m_db, QByteArrayView(manyRows(insertStatement, kRowsPerStatement)));
    if (!m_insert.isPrepared())
        return fail(m_insert);
    return m_insertMany.isPrepared() || fail(m_insertMany);
}

bool AccessCopyWriter::bindRow(SqliteStatement& statement, int firstParameter, const AccessRowBatch& batch,
                               int row)
{
    using Kind = AccessRowBatch::Value::Kind;
    for (int column = 0; column < batch.columnCount(); ++column) {
        const AccessRowBatch::Value& value = batch.value(row, column);
        const int index = firstParameter + column;
        bool bound = false;
        switch (value.kind) {
        case Kind::Null:
            bound = statement.bindNull(index);
            break;
        case Kind::Integer:
            bound = statement.bindInteger(index, value.integer);
            break;
        case Kind::Real:
            bound = statement.bindReal(index, value.real);
            break;
        case Kind::Text:
            // The batch outlives the statement's step, so SQLite need not copy.
            bound = statement.bindUnownedText(index, batch.bytes(value), qsizetype(value.size));
            break;
        case Kind::Blob:
            bound = statement.bindUnownedBlob(index, batch.bytes(value), qsizetype(value.size));
            break;
        }
        if (!bound)
            return fail(statement);
    }
    return true;
}

bool AccessCopyWriter::run(SqliteStatement& statement)
{
    const bool done = statement.step() == SqliteStatement::Step::Done;
    statement.reset();
    return done || fail(statement);
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

bool AccessCopyWriter::markFinished()
{
    return execute(QStringLiteral("PRAGMA synchronous = FULL")) &&
           execute(QStringLiteral("PRAGMA user_version = %1").arg(ImportProgram::kCopyLayoutVersion)) &&
           execute(QStringLiteral("PRAGMA application_id = %1").arg(ImportProgram::kCopyFinishedMark));
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
