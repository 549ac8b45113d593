#include "SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

SqliteStatement::SqliteStatement(sqlite3* db, QByteArrayView sql) : m_db(db)
{
    if (!db) {
        m_error = QStringLiteral("no database");
        return;
    }
    if (sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        finalize();
    } else if (!m_statement) {
        // Text without a statement (blanks, a comment): nothing to run.
        m_error = QStringLiteral("no statement in the text");
    }
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql)
    : SqliteStatement(db, QByteArrayView(sql.toUtf8()))
{
}

SqliteStatement::~SqliteStatement()
{
    finalize();
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_statement(std::exchange(other.m_statement, nullptr)),
      m_error(std::move(other.m_error)), m_bindRefused(std::exchange(other.m_bindRefused, false))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        finalize();
        m_db = std::exchange(other.m_db, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
        m_error = std::move(other.m_error);
        m_bindRefused = std::exchange(other.m_bindRefused, false);
    }
    return *this;
}

void SqliteStatement::finalize()
{
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
}

bool SqliteStatement::bound(int resultCode)
{
    m_bindRefused = m_bindRefused || resultCode != SQLITE_OK;
    return checked(resultCode);
}

bool SqliteStatement::checked(int resultCode)
{
    if (resultCode == SQLITE_OK)
        return true;
    m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(resultCode));
    return false;
}

bool SqliteStatement::bind(int position, const QVariant& value)
{
    if (value.isNull())
        return bindNull(position);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return bindInteger(position, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return bindReal(position, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return m_statement && bound(sqlite3_bind_blob64(m_statement, position, bytes.constData(),
                                                        sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT));
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        return m_statement &&
               bound(sqlite3_bind_text64(m_statement, position, text.constData(), sqlite3_uint64(text.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8));
    }
    }
}

bool SqliteStatement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        if (!bind(i + 1, values.at(i)))
            return false;
    }
    return isPrepared();
}

bool SqliteStatement::bindNull(int position)
{
    return m_statement && bound(sqlite3_bind_null(m_statement, position));
}

bool SqliteStatement::bindInteger(int position, qint64 value)
{
    return m_statement && bound(sqlite3_bind_int64(m_statement, position, value));
}

bool SqliteStatement::bindReal(int position, double value)
{
    return m_statement && bound(sqlite3_bind_double(m_statement, position, value));
}

bool SqliteStatement::bindUnownedText(int position, const char* bytes, qsizetype size)
{
    return m_statement && bound(sqlite3_bind_text64(m_statement, position, bytes, sqlite3_uint64(size),
                                                    SQLITE_STATIC, SQLITE_UTF8));
}

bool SqliteStatement::bindUnownedBlob(int position, const void* bytes, qsizetype size)
{
    return m_statement &&
           bound(sqlite3_bind_blob64(m_statement, position, bytes, sqlite3_uint64(size), SQLITE_STATIC));
}

SqliteStatement::Step SqliteStatement::step()
{
    if (!m_statement || m_bindRefused)
        return Step::Failed;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return Step::Row;
    if (rc == SQLITE_DONE)
        return Step::Done;
    checked(rc);
    return Step::Failed;
}

bool SqliteStatement::reset()
{
    return m_statement && checked(sqlite3_reset(m_statement));
}

int SqliteStatement::columnCount() const
{
    return m_statement ? sqlite3_column_count(m_statement) : 0;
}

QString SqliteStatement::columnName(int column) const
{
    return m_statement ? QString::fromUtf8(sqlite3_column_name(m_statement, column)) : QString();
}

int SqliteStatement::columnIndex(QStringView name) const
{
    const int columns = columnCount();
    for (int c = 0; c < columns; ++c) {
        if (QString::fromUtf8(sqlite3_column_name(m_statement, c)).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

SqliteStatement::Type SqliteStatement::type(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Real;
    case SQLITE_BLOB:
        return Type::Blob;
    case SQLITE_NULL:
        return Type::Null;
    default:
        return Type::Text;
    }
}

QVariant SqliteStatement::value(int column) const
{
    if (column < 0 || column >= columnCount())
        return QVariant();
    switch (type(column)) {
    case Type::Integer:
        return QVariant(qint64(sqlite3_column_int64(m_statement, column)));
    case Type::Real:
        return QVariant(sqlite3_column_double(m_statement, column));
    case Type::Blob: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(m_statement, column)));
    }
    case Type::Null:
        return QVariant(QMetaType::fromType<QString>());
    case Type::Text:
        break;
    }
    // SQLite's own conversion to UTF-16.
    const auto* text = static_cast<const QChar*>(sqlite3_column_text16(m_statement, column));
    return QVariant(QString(text, sqlite3_column_bytes16(m_statement, column) / int(sizeof(QChar))));
}

QByteArrayView SqliteStatement::utf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView SqliteStatement::blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column));
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QString SqliteStatement::errorString() const
{
    return m_error;
}
