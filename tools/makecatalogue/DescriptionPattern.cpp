#include "DescriptionPattern.h"

QStringList DescriptionPattern::expand(const QString& pattern)
{
    const qsizetype open = pattern.indexOf(QLatin1Char('{'));
    if (open < 0)
        return {pattern};
    const qsizetype close = pattern.indexOf(QLatin1Char('}'), open);
    if (close < 0)
        return {pattern};

    const QString head = pattern.left(open);
    const QStringList choices = pattern.mid(open + 1, close - open - 1).split(QLatin1Char('|'));
    const QStringList tails = expand(pattern.mid(close + 1));
    QStringList result;
    for (const QString& choice : choices) {
        for (const QString& tail : tails)
            result.append(head + choice + tail);
    }
    return result;
}
