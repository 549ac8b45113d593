#include "ReferenceNumbering.h"

namespace {

// A prime that divides no pattern capacity (those are products of 10 and 26), so stepping
// by it visits every value of the range once.
constexpr quint64 kStride = 104729;

} // namespace

ReferenceNumbering::ReferenceNumbering(const QString& pattern, quint64 offset) : m_pattern(pattern)
{
    for (const QChar c : pattern) {
        if (c == QLatin1Char('#'))
            m_capacity *= 10;
        else if (c == QLatin1Char('@'))
            m_capacity *= 26;
    }
    m_offset = offset % m_capacity;
}

QString ReferenceNumbering::next()
{
    const quint64 value = (m_offset + m_count * kStride) % m_capacity;
    ++m_count;
    return format(value);
}

QString ReferenceNumbering::format(quint64 value) const
{
    QString text = m_pattern;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text.at(i) == QLatin1Char('#')) {
            text[i] = QChar(static_cast<char16_t>(u'0' + value % 10));
            value /= 10;
        } else if (text.at(i) == QLatin1Char('@')) {
            text[i] = QChar(static_cast<char16_t>(u'A' + value % 26));
            value /= 26;
        }
    }
    return text;
}
