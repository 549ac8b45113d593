#include "AccessImportProgress.h"

namespace {

constexpr int kRowsShare = 25;
constexpr qint64 kSilenceMs = 1000;
// Measured on CREATE INDEX: reading a row and handing its key to the sorter, then writing the
// sorted key, take about eight steps plus one per indexed column.
constexpr qint64 kStepsPerRow = 8;

} // namespace

AccessImportProgress::AccessImportProgress(const std::function<void(int)>& report, qint64 totalRows,
                                           qint64 fileBytes)
    : m_report(report), m_totalRows(totalRows), m_fileBytes(fileBytes)
{
    m_sinceReport.start();
}

qint64 AccessImportProgress::indexSteps(qint64 rows, int columns)
{
    return rows * (kStepsPerRow + columns);
}

void AccessImportProgress::rows(qint64 done, qint64 bytes)
{
    // Tables may hold more rows than their definitions record.
    const double byNumber = m_totalRows > 0 ? double(qMin(done, m_totalRows)) / double(m_totalRows) : 1.0;
    const double bySize = m_fileBytes > 0 ? double(qMin(bytes, m_fileBytes)) / double(m_fileBytes) : 1.0;
    set(int((byNumber + bySize) / 2 * kRowsShare));
}

void AccessImportProgress::beginIndexes(qint64 totalSteps)
{
    m_indexing = true;
    m_indexSteps = totalSteps;
    indexesBuilt(0);
}

void AccessImportProgress::indexesBuilt(qint64 stepsSoFar)
{
    m_indexStepsDone = stepsSoFar;
    working(0);
}

void AccessImportProgress::working(qint64 steps)
{
    if (m_indexing) {
        m_indexStepsDone += steps;
        // An estimate may run ahead of the work: the last figure waits for the end.
        const qint64 done = qMin(m_indexStepsDone, m_indexSteps);
        set(kRowsShare + int(m_indexSteps > 0 ? done * (99 - kRowsShare) / m_indexSteps : 0));
    }
    if (m_last >= 0 && m_sinceReport.hasExpired(kSilenceMs))
        report(m_last);
}

void AccessImportProgress::set(int percent)
{
    if (percent > m_last)
        report(percent);
}

void AccessImportProgress::report(int percent)
{
    m_last = percent;
    m_sinceReport.restart();
    if (m_report)
        m_report(percent);
}
