#include "AccessTableCopy.h"

#include "AccessDatabase.h"
#include "AccessRowBatch.h"
#include "AccessTableReader.h"
#include "AccessValue.h"
#include "base/Windows1252.h"

#include <QDateTime>
#include <QLocale>

namespace {

int findColumn(const QVector<AccessColumn>& columns, const QString& name)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// How the program shows a value of the version table: dates as pt-BR short dates (with the
// time when there is one), numbers and truth values the pt-BR way.
QString asText(const AccessValue& value)
{
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    switch (value.kind) {
    case AccessValue::Kind::DateTime: {
        const QDateTime when = value.dateTime();
        if (when.time() == QTime(0, 0))
            return when.date().toString(QStringLiteral("dd/MM/yyyy"));
        if (when.date() == QDate(1899, 12, 30))
            return when.time().toString(QStringLiteral("hh:mm:ss"));
        return when.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    case AccessValue::Kind::Real:
        return brazil.toString(value.real, 'g', 15);
    case AccessValue::Kind::Boolean:
        return value.integer ? QStringLiteral("Verdadeiro") : QStringLiteral("Falso");
    case AccessValue::Kind::Bytes:
        return Windows1252::decode(value.bytes);
    case AccessValue::Kind::Text:
        return value.text;
    default:
        return value.toVariant().toString();
    }
}

} // namespace

AccessTableCopy::AccessTableCopy(const AccessCatalogueTable& layout) : m_layout(layout) {}

AccessTableCopy::~AccessTableCopy() = default;
AccessTableCopy::AccessTableCopy(AccessTableCopy&&) noexcept = default;
AccessTableCopy& AccessTableCopy::operator=(AccessTableCopy&&) noexcept = default;

bool AccessTableCopy::plan(AccessDatabase& database, QString* error)
{
    auto reader = std::make_unique<AccessTableReader>(database, m_layout.name);
    if (!reader->isOpen()) {
        if (m_layout.required || !database.findTable(m_layout.name).isEmpty()) {
            *error = QStringLiteral("a tabela %1 não pôde ser lida").arg(m_layout.name);
            if (!reader->refusal().isEmpty())
                *error += QStringLiteral(": ") + reader->refusal();
            return false;
        }
        return true;
    }
    const QVector<AccessColumn>& columns = reader->columns();
    QVector<int> selection;
    for (int i = 0; i < m_layout.columns.size(); ++i) {
        const QString& name = m_layout.columns.at(i);
        const int found =
            i < m_layout.positionalColumns ? (i < columns.size() ? i : -1) : findColumn(columns, name);
        if (found < 0 && m_layout.requiredColumns.contains(name)) {
            *error = QStringLiteral("falta a coluna %1 da tabela %2").arg(name, m_layout.name);
            return false;
        }
        if (found >= 0 && !m_layout.valuesAsText && !holds(columns.at(found).type, name)) {
            *error = QStringLiteral("a coluna %1 da tabela %2 é do tipo Jet %3, que não guarda tal valor")
                         .arg(name, m_layout.name)
                         .arg(columns.at(found).type);
            return false;
        }
        m_sources.append(found < 0 ? -1 : selection.size());
        m_storedFile.append(m_layout.storedFileColumns.contains(name));
        if (found >= 0)
            selection.append(found);
    }
    reader->selectColumns(selection);
    m_reader = std::move(reader);
    return true;
}

// Numbers come from numeric columns, text from text and memo columns, stored files from OLE
// and binary columns, or text and memo columns as older catalogues keep them.
bool AccessTableCopy::holds(int type, const QString& column) const
{
    using T = AccessColumn;
    if (m_layout.numberColumns.contains(column))
        return type == T::Byte || type == T::Integer || type == T::LongInteger || type == T::Currency ||
               type == T::Single || type == T::Double || type == T::Decimal;
    const bool text = type == T::Text || type == T::Memo;
    if (m_layout.storedFileColumns.contains(column))
        return text || type == T::Ole || type == T::Binary;
    return text;
}

qint64 AccessTableCopy::declaredRowCount() const
{
    return m_reader ? m_reader->declaredRowCount() : 0;
}

bool AccessTableCopy::readRow(AccessRowBatch& batch)
{
    if (!m_reader || !m_reader->advance())
        return false;
    for (int i = 0; i < m_sources.size(); ++i) {
        const int source = m_sources.at(i);
        if (source < 0) {
            batch.appendNull();
            continue;
        }
        const AccessValue& value = m_reader->read(source);
        if (m_reader->failed())
            return false;
        append(batch, i, value);
    }
    return true;
}

void AccessTableCopy::append(AccessRowBatch& batch, int column, const AccessValue& value) const
{
    if (value.kind == AccessValue::Kind::Null) {
        batch.appendNull();
    } else if (m_storedFile.at(column)) {
        // One byte per character: how the program has always read stored files.
        if (value.kind == AccessValue::Kind::Text)
            batch.appendBlob(Windows1252::encode(value.text));
        else if (value.kind == AccessValue::Kind::Bytes)
            batch.appendBlob(value.bytes);
        else
            batch.appendBlob(value.toVariant().toByteArray());
    } else if (m_layout.valuesAsText) {
        batch.appendText(asText(value));
    } else {
        value.appendTo(batch);
    }
}

bool AccessTableCopy::readWhole(QString* error) const
{
    if (!m_reader)
        return true;
    // A cut or damaged file reads fewer rows than its table definitions record.
    if (m_reader->failed() || m_reader->rowsRead() < m_reader->declaredRowCount()) {
        *error = QStringLiteral("a tabela %1 está danificada: %2 de %3 linhas lidas")
                     .arg(m_layout.name)
                     .arg(m_reader->rowsRead())
                     .arg(m_reader->declaredRowCount());
        return false;
    }
    return true;
}
