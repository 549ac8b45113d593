#include "AccessCatalogue.h"

#include "AccessCopyCache.h"
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

} // namespace

namespace AccessCatalogue {

QString sqliteCopy(const QString& accessPath, QString* failure)
{
    const QFileInfo accessFile(accessPath);
    if (!accessFile.isFile())
        return failedFor(failure, QStringLiteral("o arquivo não existe mais"));
    const QString directory = AccessCopyCache::directory();
    if (directory.isEmpty())
        return failedFor(failure, QStringLiteral("a pasta das cópias convertidas não pôde ser criada"));
    // What a conversion that ended with its program left behind goes first.
    AccessCopyCache::removeAbandoned(directory, accessFile);
    const QString copy = AccessCopyCache::copyPath(directory, accessFile);
    if (QFileInfo::exists(copy)) {
        if (AccessCopyCache::isFinished(copy))
            return copy;
        // Damaged, unfinished or of an earlier layout: made again, as if it had never been.
        QFile::remove(copy);
    }

    // The library reading the file is not proof against every kind of damage (a damaged page
    // map can make it read astray), so the conversion runs in a process of its own, never in
    // this one: without the import program there is no conversion.
    const QString program = AccessImportProcess::program();
    if (program.isEmpty())
        return failedFor(failure, QStringLiteral("o programa de conversão não está ao lado do programa"));
    const QString part = AccessCopyCache::temporaryPath(copy);
    const std::unique_ptr<QLockFile> converting = AccessCopyCache::lockTemporary(part);
    if (!converting)
        return failedFor(failure,
                         QStringLiteral("a cópia convertida não pôde ser criada em %1").arg(directory));
    AccessImportProcess import(program, accessPath, part);
    if (import.start())
        ImportWait::waitForEnd(import);
    // Another program may have finished the same copy meanwhile; either copy will do.
    const bool kept = import.succeeded() && (QFile::rename(part, copy) || QFileInfo::exists(copy));
    QFile::remove(part);
    if (!kept)
        return failedFor(failure, import.succeeded()
                                      ? QStringLiteral("a cópia convertida não pôde ser guardada")
                                      : import.failure());
    AccessCopyCache::removeStale(directory, accessFile, copy);
    return copy;
}

} // namespace AccessCatalogue
