#pragma once

#include <QString>

// Hands out distinct references of one manufacturer from a pattern in which '#' stands for a
// digit and '@' for a letter ("EMX-######"). Successive references jump around the pattern's
// range, as real catalogue numbers do, and never repeat until the range is used up.
class ReferenceNumbering
{
public:
    ReferenceNumbering(const QString& pattern, quint64 offset);

    QString next();

private:
    QString format(quint64 value) const;

    QString m_pattern;
    quint64 m_capacity = 1;
    quint64 m_offset = 0;
    quint64 m_count = 0;
};
