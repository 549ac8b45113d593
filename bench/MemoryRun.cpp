#include "MemoryRun.h"

#include "BenchQueries.h"
#include "ProgramDriver.h"
#include "ui/search/Form2.h"

#include <QFile>

namespace MemoryRun {

qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

qint64 peakKb(const QString& catalogue)
{
    ProgramDriver program(catalogue);
    if (!program.openCatalogue())
        return -1;
    Form2* last = nullptr;
    for (int i = 0; i < 5; ++i)
        last = program.openWindow();
    if (!last || program.windowCount() != 5)
        return -1;
    ProgramDriver::setText(last, "comCompanies", BenchQueries::Manufacturer);
    last->comCompanies_Click();
    ProgramDriver::setText(last, "comReferences", BenchQueries::CompetitorReference);
    last->comReferences_Click();
    last->Form_KeyUp(113, 0);
    return peakResidentKb();
}

} // namespace MemoryRun
