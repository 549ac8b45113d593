#include "AccessRun.h"

#include "BareEngine.h"
#include "Median.h"
#include "ProgramDriver.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

namespace AccessRun {

int firstConversionMain(const QString& access)
{
    ProgramDriver program(access);
    QElapsedTimer clock;
    clock.start();
    // As the program starts: its first window opens on the lists, the copy is finished meanwhile.
    bool opened = OpenCatalogue({}, OpeningWait::UntilListsAreIn);
    const double listsMs = double(clock.nsecsElapsed()) / 1e6;
    // A query waits for the rest of the conversion.
    opened = Module1::Opened().waitForCopy() && Module1::Opened().Conn.isOpen() && opened;
    const double wholeMs = double(clock.nsecsElapsed()) / 1e6;
    QTextStream out(stdout);
    out << "FIRST\t" << QString::number(listsMs, 'f', 4) << '\t' << QString::number(wholeMs, 'f', 4) << '\t'
        << int(opened) << '\n';
    out << "LISTS\t" << ProgramDriver::listSizes() << '\n';
    return opened ? 0 : 1;
}

int convertedCopyMain(const QString& catalogue, const QString& access, int runs)
{
    ProgramDriver program(access);
    BareEngine bare(catalogue);
    // The first opening converts; those timed find the copy in the cache.
    if (!bare.isOpen() || !program.openCatalogue() || !bare.openCatalogue())
        return 1;
    bool opened = true;
    const PairedMedians open = pairedMediansMs(
        std::max(3, runs / 2), nullptr, [&] { opened = program.openCatalogue() && opened; },
        [&] { bare.openCatalogue(); });
    QTextStream out(stdout);
    out << "COPY\t" << QString::number(open.first, 'f', 4) << '\t' << QString::number(open.second, 'f', 4)
        << '\t' << int(opened) << '\n';
    out << "LISTS\t" << ProgramDriver::listSizes() << '\n';
    return opened ? 0 : 1;
}

} // namespace AccessRun
