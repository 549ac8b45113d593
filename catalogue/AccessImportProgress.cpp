#include "AccessImportProgress.h"

namespace {

constexpr int kRowsShare = 80;
constexpr qint64 kSilenceMs = 1000;

} // namespace

AccessImportProgress::AccessImportProgress(const std::function<void(int)>& report, qint64 totalRows)
    : m_report(report), m_totalRows(totalRows)
{
    m_sinceReport.start();
}

void AccessImportProgress::rows(qint64 done)
{
    // Tables may hold more rows than their definitions record.
    set(m_totalRows > 0 ? int(qMin(done, m_totalRows) * kRowsShare / m_totalRows) : kRowsShare);
}

void AccessImportProgress::indexes(int done, int total)
{
    set(kRowsShare + (100 - kRowsShare) * done / total);
}

void AccessImportProgress::stillWorking()
{
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
