#pragma once

#include "SizeRunner.h"

#include <QList>
#include <QString>

// The benchmark's findings as one table of times (with the spread of the rounds, each
// operation's budget and whether the median met it), the memory peaks and the growth from the medium to the
// large catalogue; as plain text for the terminal and as Markdown for the results file.
class ResultTable
{
public:
    // Each size's figures are the medians of `rounds` rounds.
    ResultTable(QList<SizeResult> sizes, int rounds);

    QString text() const;
    QString markdown(const QString& machine, const QString& date) const;

    // The budget of an operation in ms (NaN when it has none).
    static double budgetMs(const Measurement& m);
    static bool met(const Measurement& m);

private:
    QList<QStringList> timeRows() const;
    QList<QStringList> memoryRows() const;
    QList<QStringList> growthRows() const;

    QList<SizeResult> m_sizes;
    int m_rounds;
};
