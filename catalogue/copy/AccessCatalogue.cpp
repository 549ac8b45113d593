#include "AccessCatalogue.h"

#include "AccessConversion.h"
#include "AccessCopyCache.h"
#include "AccessCopySweep.h"
#include "AccessCopyUse.h"
#include "ImportWait.h"
#include "WorkPool.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

// A conversion of a large catalogue takes seconds; one that holds its lock far longer than this
// belongs to a program that hangs, and the file is converted here after all.
constexpr qint64 kLongestOtherConversionMs = 120000;

// Another program converting the same file into the same copy is waited for, so that a file
// opened by many at once is converted once.
void waitForOtherConversion(const QString& copy)
{
    if (QFileInfo::exists(copy) || !AccessCopyCache::isBeingConverted(copy))
        return;
    QElapsedTimer waited;
    waited.start();
    ImportWait::waitWhileBusy([&] {
        return !QFileInfo::exists(copy) && AccessCopyCache::isBeingConverted(copy) &&
               waited.elapsed() < kLongestOtherConversionMs;
    });
}

AccessCatalogue::Copy failedFor(AccessCatalogue::Copy& result, const QString& why)
{
    result.failure = why;
    result.use.release();
    return std::move(result);
}

// Converts the Access file into `copy`; empty when done, or why not. Waiting for the lists, a
// conversion whose lists are written is handed over in `unfinished`.
QString convert(const QString& accessPath, const QString& copy, AccessCatalogue::CopyWait wait,
                std::unique_ptr<AccessConversion>& unfinished)
{
    const bool lists = wait == AccessCatalogue::CopyWait::UntilListsAreIn;
    auto conversion = std::make_unique<AccessConversion>(accessPath, copy, lists);
    if (!conversion->start())
        return conversion->failure();
    if (lists) {
        conversion->waitForLists();
        if (conversion->listsWritten() && !conversion->hasEnded()) {
            unfinished = std::move(conversion);
            return QString();
        }
    }
    conversion->waitForEnd();
    return conversion->succeeded() ? QString() : conversion->failure();
}

} // namespace

namespace AccessCatalogue {

Copy::Copy() = default;
Copy::Copy(Copy&&) noexcept = default;
Copy& Copy::operator=(Copy&&) noexcept = default;
Copy::~Copy() = default;

Copy sqliteCopy(const QString& accessPath, CopyWait wait, WorkPool* sweepOn)
{
    Copy result;
    const QFileInfo accessFile(accessPath);
    if (!accessFile.isFile())
        return failedFor(result, QStringLiteral("o arquivo não existe mais"));
    const QString directory = AccessCopyCache::directory();
    if (directory.isEmpty())
        return failedFor(result, QStringLiteral("a pasta das cópias convertidas não pôde ser criada"));
    const QString copy = AccessCopyCache::copyPath(directory, accessFile);
    // Marked in use before anything looks at it, so that no program's clearing takes it from
    // under this opening; the mark stays with the caller while the copy is open.
    result.use = AccessCopyUse::take(copy);
    // What a conversion that ended with its program left behind goes first, then the copies
    // of files that are gone or that nobody opens any more.
    AccessCopyCache::removeAbandoned(directory);
    // Some milliseconds of the file system for each copy it removes: not on the windows' thread.
    if (sweepOn)
        sweepOn->start([directory] { AccessCopySweep::removeUnwanted(directory); });
    else
        AccessCopySweep::removeUnwanted(directory);
    waitForOtherConversion(copy);
    if (!AccessCopyCache::removeUnlessRegular(copy))
        return failedFor(result, QStringLiteral("%1 não é um arquivo e não pôde ser removido").arg(copy));
    if (QFileInfo::exists(copy) && !AccessCopyCache::isFinished(copy)) {
        // Damaged, unfinished or of an earlier layout: made again, as if it had never been.
        QFile::remove(copy);
    }
    if (!QFileInfo::exists(copy)) {
        const QString why = convert(accessPath, copy, wait, result.unfinished);
        if (!why.isEmpty())
            return failedFor(result, why);
    }
    // A conversion handed over records its copy once it has one.
    if (!result.unfinished) {
        AccessCopyCache::recordSource(copy, accessFile);
        AccessCopyCache::markUsed(copy);
    }
    result.path = copy;
    return result;
}

} // namespace AccessCatalogue
