#include "CatalogueFile.h"

#include "AccessCatalogue.h"
#include "base/CatalogueSignature.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

QString failedFor(OpeningFailure* failure, OpeningFailure::Reason reason, const QString& found = QString())
{
    failure->reason = reason;
    failure->found = found;
    return QString();
}

} // namespace

namespace CatalogueFile {

QString sqlitePathFor(const QString& path, OpeningFailure* failure, AccessCopyUse* use,
                      std::unique_ptr<AccessConversion>* unfinished, WorkPool* sweepOn)
{
    using Reason = OpeningFailure::Reason;
    const QFileInfo info(path);
    if (!info.exists())
        return failedFor(failure, Reason::NotFound);
    // Only a regular file can be a catalogue; opening a pipe or a device to look would wait
    // for a writer for ever.
    if (!info.isFile())
        return failedFor(failure, Reason::NotACatalogue);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Qt gives every failed opening as OpenError; only its text, the system's own, tells.
        const QString why = file.errorString();
        if (why == qt_error_string(EACCES) || why == qt_error_string(EPERM))
            return failedFor(failure, Reason::NoPermission);
        return failedFor(failure, Reason::Damaged, why);
    }
    const QByteArray head = file.read(CatalogueSignature::kHeadSize);
    file.close();
    if (CatalogueSignature::isSqlite(head))
        return path;
    if (!CatalogueSignature::isAccess(head))
        return failedFor(failure, Reason::NotACatalogue);
    QString conversion;
    const QString copy = AccessCatalogue::sqliteCopy(path, &conversion, use, unfinished, sweepOn);
    if (copy.isEmpty())
        return failedFor(failure, Reason::NotConverted, conversion);
    return copy;
}

} // namespace CatalogueFile
