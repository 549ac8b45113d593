#include "AccessCatalogue.h"

#include "AccessCopyCache.h"
#include "AccessCopySweep.h"
#include "AccessCopyUse.h"
#include "AccessImportProcess.h"
#include "ImportWait.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

QString failedFor(QString* failure, const QString& why)
{
    if (failure)
        *failure = why;
    return QString();
}

// Converts the Access file into `copy`; empty when done, or why not.
QString convert(const QString& accessPath, const QString& directory, const QString& copy)
{
    // The library reading the file is not proof against every kind of damage (a damaged page
    // map can make it read astray), so the conversion runs in a process of its own, never in
    // this one: without the import program there is no conversion.
    const QString program = AccessImportProcess::program();
    if (program.isEmpty())
        return QStringLiteral("o programa de conversão não está ao lado do programa");
    const QString part = AccessCopyCache::temporaryPath(copy);
    const std::unique_ptr<QLockFile> converting = AccessCopyCache::lockTemporary(part);
    if (!converting)
        return QStringLiteral("a cópia convertida não pôde ser criada em %1").arg(directory);
    AccessImportProcess import(program, accessPath, part);
    if (import.start())
        ImportWait::waitForEnd(import);
    // Another program may have finished the same copy meanwhile; either copy will do.
    const bool kept = import.succeeded() && (QFile::rename(part, copy) || QFileInfo::exists(copy));
    QFile::remove(part);
    if (!kept)
        return import.succeeded() ? QStringLiteral("a cópia convertida não pôde ser guardada")
                                  : import.failure();
    return QString();
}

} // namespace

namespace AccessCatalogue {

QString sqliteCopy(const QString& accessPath, QString* failure, AccessCopyUse* use)
{
    const QFileInfo accessFile(accessPath);
    if (!accessFile.isFile())
        return failedFor(failure, QStringLiteral("o arquivo não existe mais"));
    const QString directory = AccessCopyCache::directory();
    if (directory.isEmpty())
        return failedFor(failure, QStringLiteral("a pasta das cópias convertidas não pôde ser criada"));
    const QString copy = AccessCopyCache::copyPath(directory, accessFile);
    // Marked in use before anything looks at it, so that no program's clearing takes it from
    // under this opening; the mark stays with the caller while the copy is open.
    AccessCopyUse inUse = AccessCopyUse::take(copy);
    // What a conversion that ended with its program left behind goes first, then the copies
    // of files that are gone or that nobody opens any more.
    AccessCopyCache::removeAbandoned(directory, accessFile);
    AccessCopySweep::removeUnwanted(directory);
    if (QFileInfo::exists(copy) && !AccessCopyCache::isFinished(copy)) {
        // Damaged, unfinished or of an earlier layout: made again, as if it had never been.
        QFile::remove(copy);
    }
    if (!QFileInfo::exists(copy)) {
        const QString why = convert(accessPath, directory, copy);
        if (!why.isEmpty())
            return failedFor(failure, why);
        AccessCopyCache::removeStale(directory, accessFile, copy);
    }
    AccessCopyCache::recordSource(copy, accessFile);
    AccessCopyCache::markUsed(copy);
    if (use)
        *use = std::move(inUse);
    return copy;
}

} // namespace AccessCatalogue
