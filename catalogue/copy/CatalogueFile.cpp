#include "CatalogueFile.h"

#include "AccessCatalogue.h"
#include "CatalogueSignature.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

CatalogueFile::Served failedFor(OpeningFailure::Reason reason, const QString& found = QString())
{
    CatalogueFile::Served served;
    served.failure.reason = reason;
    served.failure.found = found;
    return served;
}

} // namespace

namespace CatalogueFile {

Served sqliteFileFor(const QString& path, AccessCatalogue::CopyWait wait, WorkPool* sweepOn)
{
    using Reason = OpeningFailure::Reason;
    const QFileInfo info(path);
    if (!info.exists())
        return failedFor(Reason::NotFound);
    // Only a regular file can be a catalogue; opening a pipe or a device to look would wait
    // for a writer for ever.
    if (!info.isFile())
        return failedFor(Reason::NotACatalogue);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Qt gives every failed opening as OpenError; only its text, the system's own, tells.
        const QString why = file.errorString();
        if (why == qt_error_string(EACCES) || why == qt_error_string(EPERM))
            return failedFor(Reason::NoPermission);
        return failedFor(Reason::Damaged, why);
    }
    const QByteArray head = file.read(CatalogueSignature::kHeadSize);
    file.close();
    Served served;
    if (CatalogueSignature::isSqlite(head)) {
        served.path = path;
        return served;
    }
    if (!CatalogueSignature::isAccess(head))
        return failedFor(Reason::NotACatalogue);
    served.copy = AccessCatalogue::sqliteCopy(path, wait, sweepOn);
    if (served.copy.path.isEmpty())
        return failedFor(Reason::NotConverted, served.copy.failure);
    served.path = served.copy.path;
    return served;
}

} // namespace CatalogueFile
