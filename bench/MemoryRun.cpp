#include "MemoryRun.h"

#include "BenchQueries.h"
#include "ProgramDriver.h"
#include "SearchWindowFixture.h"
#include "catalogue/opened/Module1.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QFile>

#include <algorithm>

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

Peak peak(const QString& catalogue)
{
    Peak found;
    ProgramDriver program(catalogue);
    if (!program.openCatalogue())
        return found;
    const auto offersHeld = [&] {
        found.offersKb = std::max(found.offersKb, Module1::Opened().offersBytes() / 1024);
    };
    Form2* last = nullptr;
    for (int i = 0; i < 5; ++i)
        last = program.openWindow();
    if (!last || program.windowCount() != 5)
        return found;
    offersHeld();
    // With every manufacturer's references read ahead, as a user's first choice finds them.
    const auto readAhead = [] { Module1::Opened().manufacturerReferences().waitUntilRead(); };
    readAhead();
    ProgramDriver::setText(last, "comCompanies", BenchQueries::Manufacturer);
    last->comCompanies_Click();
    offersHeld();
    ProgramDriver::setText(last, "comReferences", BenchQueries::CompetitorReference);
    last->comReferences_Click();
    last->Form_KeyUp(113, 0);
    const auto typeInto = [&](const char* box, const QString& text) {
        ProgramDriver::setText(last, box, QString());
        typeText(ProgramDriver::combo(last, box), text);
        offersHeld();
    };
    typeInto("comReferences", QStringLiteral("emx 1"));
    typeInto("CbxRef", QStringLiteral("kv 2"));
    typeInto("CbxDesc", QStringLiteral("disj 20"));
    readAhead();
    found.residentKb = peakResidentKb();
    return found;
}

} // namespace MemoryRun
