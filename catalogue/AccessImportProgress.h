#pragma once

#include <QElapsedTimer>
#include <functional>

// The figure (0-100) an import reports: the rows take the first 80, the index builds the
// rest. Figures only grow; after a second without a new one the last is repeated, so that
// whoever waits can tell a long step from a hang.
class AccessImportProgress
{
public:
    AccessImportProgress(const std::function<void(int)>& report, qint64 totalRows);

    void rows(qint64 done);
    void indexes(int done, int total);
    void stillWorking();

private:
    void set(int percent);
    void report(int percent);

    const std::function<void(int)>& m_report;
    qint64 m_totalRows;
    int m_last = -1;
    QElapsedTimer m_sinceReport;
};
