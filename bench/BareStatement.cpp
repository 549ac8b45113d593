#include "BareStatement.h"

#include <sqlite3.h>

BareStatement::BareStatement(sqlite3* db, const QString& sql, const QVariantList& values)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        return;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
        } else {
            const QByteArray bound = value.toString().toUtf8();
            sqlite3_bind_text(m_statement, i + 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
        }
    }
}

BareStatement::~BareStatement()
{
    sqlite3_finalize(m_statement);
}

bool BareStatement::next()
{
    if (!m_statement || sqlite3_step(m_statement) != SQLITE_ROW)
        return false;
    const int columns = sqlite3_column_count(m_statement);
    for (int c = 0; c < columns; ++c) {
        if (sqlite3_column_type(m_statement, c) == SQLITE_BLOB)
            m_touched += reinterpret_cast<const char*>(sqlite3_column_blob(m_statement, c)) != nullptr;
        else
            m_touched += sqlite3_column_text(m_statement, c) != nullptr;
        m_touched += sqlite3_column_bytes(m_statement, c);
    }
    return true;
}

qint64 BareStatement::readAll(QStringList* keepTexts, std::vector<bool>* keepNulls)
{
    qint64 rows = 0;
    while (m_statement && sqlite3_step(m_statement) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(m_statement, 0);
        const int bytes = sqlite3_column_bytes(m_statement, 0);
        m_touched += bytes;
        if (keepTexts) {
            keepTexts->append(text ? QString::fromUtf8(reinterpret_cast<const char*>(text), bytes)
                                   : QString());
            keepNulls->push_back(text == nullptr);
        }
        ++rows;
    }
    return rows;
}
