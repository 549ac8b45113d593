#pragma once

#include "Measurement.h"

#include <QList>
#include <QString>

// The timings on one catalogue: the program's operations beside the bare engine's.
class ChildRun
{
public:
    ChildRun(const QString& catalogue, int runs);

    bool run();

    QList<Measurement> measurements() const { return m_measurements; }
    QString listSizes() const { return m_listSizes; }

private:
    QString m_catalogue;
    int m_runs;
    QList<Measurement> m_measurements;
    QString m_listSizes;
};
