#include "AccessCopyWriter.h"

#include <QDateTime>
#include <QFile>

#include <sqlite3.h>

namespace {

// One bulk load into a file nobody else has open yet.
const char* const kLoadSettings = "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                                  "PRAGMA locking_mode = EXCLUSIVE; "
                                  "PRAGMA cache_size = -16384; PRAGMA threads = 4;";

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
        m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("cannot open %1").arg(m_path);
    return false;
}

void AccessCopyWriter::finalize()
{
    if (m_insert) {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
    }
}

bool AccessCopyWriter::open()
{
    QFile::remove(m_path);
    if (sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        return fail();
    return sqlite3_exec(m_db, kLoadSettings, nullptr, nullptr, nullptr) == SQLITE_OK || fail();
}

bool AccessCopyWriter::execute(const QString& sql)
{
    return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK || fail();
}

bool AccessCopyWriter::prepare(const char* insertStatement)
{
    finalize();
    return sqlite3_prepare_v2(m_db, insertStatement, -1, &m_insert, nullptr) == SQLITE_OK || fail();
}

bool AccessCopyWriter::insert(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        const int index = i + 1;
        int rc = SQLITE_OK;
        const int type = !value.isValid() || value.isNull() ? QMetaType::UnknownType : value.typeId();
        switch (type) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(m_insert, index);
            break;
        case QMetaType::QString: {
            const QString& text = *static_cast<const QString*>(value.constData());
            // A null pointer would bind a null; empty text stays empty text.
            rc = sqlite3_bind_text16(m_insert, index, text.isEmpty() ? static_cast<const void*>(u"") : text.utf16(),
                                     static_cast<int>(text.size() * 2), SQLITE_STATIC);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray& bytes = *static_cast<const QByteArray*>(value.constData());
            rc = sqlite3_bind_blob(m_insert, index, bytes.isEmpty() ? "" : bytes.constData(), bytes.size(),
                                   SQLITE_STATIC);
            break;
        }
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_insert, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_insert, index, value.toDouble());
            break;
        case QMetaType::QDateTime:
            rc = sqlite3_bind_text(m_insert, index,
                                   value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8().constData(),
                                   -1, SQLITE_TRANSIENT);
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_insert, index, text.constData(), text.size(), SQLITE_TRANSIENT);
            break;
        }
        }
        if (rc != SQLITE_OK)
            return fail();
    }
    const int rc = sqlite3_step(m_insert);
    sqlite3_reset(m_insert);
    return rc == SQLITE_DONE || fail();
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
