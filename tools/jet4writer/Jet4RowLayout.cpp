#include "Jet4RowLayout.h"

#include "Jet4Format.h"
#include "Jet4LongValueStore.h"
#include "Jet4TextEncoder.h"

#include <cstring>
#include <limits>

using namespace Jet4Format;
using Kind = Jet4ColumnDefinition::Kind;

namespace {

constexpr int kTextCharacters = 255;
// The engine compresses a memo only when it is this short.
constexpr int kMemoCompressionLimit = 1024;

bool isNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

} // namespace

Jet4RowLayout::Jet4RowLayout(const QVector<Jet4ColumnDefinition>& columns) : m_columns(columns)
{
    for (const Jet4ColumnDefinition& column : columns) {
        const int size = storedSize(column.kind);
        if (size > 0) {
            m_fixedOffsets.append(m_fixedSize);
            m_variableIndexes.append(0);
            m_fixedSize += size;
        } else {
            m_fixedOffsets.append(0);
            m_variableIndexes.append(m_variableCount++);
        }
    }
}

int Jet4RowLayout::storedSize(Kind kind)
{
    switch (kind) {
    case Kind::Long:
        return 4;
    case Kind::Double:
        return 8;
    default:
        return 0;
    }
}

bool Jet4RowLayout::isFixed(int column) const
{
    return storedSize(m_columns.at(column).kind) > 0;
}

QByteArray Jet4RowLayout::pack(const QVariantList& values, Jet4LongValueStore& longValues,
                               QString* error) const
{
    return pack(values, longValues, error, Jet4RowEdits());
}

QByteArray Jet4RowLayout::pack(const QVariantList& values, Jet4LongValueStore& longValues, QString* error,
                               const Jet4RowEdits& edits) const
{
    if (edits.columns < 0 || edits.columns > m_columns.size() || edits.slack < 0) {
        *error = QStringLiteral("row edits outside the table's columns");
        return {};
    }
    // A row written before columns were added holds the columns the table had then: the
    // first ones, whose fixed values come first and whose variable values are numbered first.
    const int count = edits.columns > 0 ? edits.columns : m_columns.size();
    int fixedSize = 0;
    int variableCount = 0;
    for (int i = 0; i < count; ++i) {
        if (isFixed(i))
            fixedSize = m_fixedOffsets.at(i) + storedSize(m_columns.at(i).kind);
        else
            variableCount = m_variableIndexes.at(i) + 1;
    }
    QByteArray fixed(fixedSize, '\0');
    QVector<QByteArray> variable(variableCount);
    QByteArray nullMask((count + 7) / 8, '\0');

    for (int i = count; i < values.size() && i < m_columns.size(); ++i) {
        if (!isNull(values.at(i))) {
            *error = QStringLiteral("value of %1, added after the row").arg(m_columns.at(i).name);
            return {};
        }
    }
    for (int i = 0; i < count; ++i) {
        const QVariant value = i < values.size() ? values.at(i) : QVariant();
        if (isNull(value))
            continue;
        nullMask[i / 8] = static_cast<char>(nullMask.at(i / 8) | (1 << (i % 8)));
        const Jet4ColumnDefinition& column = m_columns.at(i);
        switch (column.kind) {
        case Kind::Long: {
            bool ok = false;
            const qlonglong number = value.toLongLong(&ok);
            if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
                number > std::numeric_limits<std::int32_t>::max()) {
                *error = QStringLiteral("value of %1 is not a 32-bit whole number").arg(column.name);
                return {};
            }
            put32(fixed, m_fixedOffsets.at(i), static_cast<std::uint32_t>(static_cast<std::int32_t>(number)));
            break;
        }
        case Kind::Double: {
            const double number = value.toDouble();
            std::uint64_t bits = 0;
            std::memcpy(&bits, &number, sizeof bits);
            put32(fixed, m_fixedOffsets.at(i), static_cast<std::uint32_t>(bits));
            put32(fixed, m_fixedOffsets.at(i) + 4, static_cast<std::uint32_t>(bits >> 32));
            break;
        }
        case Kind::Text: {
            const QString text = value.toString();
            if (text.size() > kTextCharacters) {
                *error = QStringLiteral("text of %1 is longer than %2 characters")
                             .arg(column.name)
                             .arg(kTextCharacters);
                return {};
            }
            variable[m_variableIndexes.at(i)] = Jet4TextEncoder::encode(text, true);
            break;
        }
        case Kind::Memo: {
            const QString text = value.toString();
            variable[m_variableIndexes.at(i)] =
                longValues.store(Jet4TextEncoder::encode(text, text.size() <= kMemoCompressionLimit));
            break;
        }
        case Kind::Ole:
            variable[m_variableIndexes.at(i)] = longValues.store(value.toByteArray());
            break;
        }
    }

    QByteArray row;
    append16(row, count);
    row += fixed;
    if (m_variableCount > 0) {
        QVector<int> offsets;
        for (const QByteArray& bytes : variable) {
            offsets.append(row.size());
            row += bytes;
        }
        const int end = row.size();
        row += QByteArray(edits.slack, '\0');
        append16(row, end); // end of the variable data
        for (int i = offsets.size() - 1; i >= 0; --i)
            append16(row, offsets.at(i));
        append16(row, variableCount);
    }
    row += nullMask;
    if (row.size() > kMaxRowSize) {
        *error = QStringLiteral("row of %1 bytes does not fit a page").arg(row.size());
        return {};
    }
    return row;
}
