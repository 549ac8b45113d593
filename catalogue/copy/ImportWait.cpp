#include "ImportWait.h"

#include "AccessImportProcess.h"

#include <QThread>

namespace {

ImportWait*& installed()
{
    static ImportWait* wait = nullptr;
    return wait;
}

} // namespace

void ImportWait::install(ImportWait* wait)
{
    installed() = wait;
}

void ImportWait::remove(ImportWait* wait)
{
    if (installed() == wait)
        installed() = nullptr;
}

void ImportWait::waitForEnd(AccessImportProcess& import)
{
    if (installed())
        installed()->waitFor(import, Until::End);
    // Whatever the installed wait did, the conversion has ended when this returns.
    import.waitForEnd();
}

void ImportWait::waitForLists(AccessImportProcess& import)
{
    if (installed())
        installed()->waitFor(import, Until::ListsWritten);
    import.waitForLists();
}

void ImportWait::waitWhile(const std::function<bool()>& busy)
{
    holdWhile(busy);
}

void ImportWait::waitWhileBusy(const std::function<bool()>& busy)
{
    if (installed())
        installed()->waitWhile(busy);
    else
        holdWhile(busy);
}

void ImportWait::holdWhile(const std::function<bool()>& busy)
{
    while (busy())
        QThread::msleep(kLookAgainMs);
}

void ImportWait::reportFailedAfterOpening(const OpeningFailure& failure)
{
    if (installed())
        installed()->failedAfterOpening(failure);
}
