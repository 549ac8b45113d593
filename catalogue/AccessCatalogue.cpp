#include "AccessCatalogue.h"

#include "AccessCopyCache.h"
#include "AccessImportProcess.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kSignatureOffset = 4;
const QByteArray kSignature("Standard Jet DB");

} // namespace

namespace AccessCatalogue {

bool looksLikeAccess(const QByteArray& firstBytes)
{
    return firstBytes.size() >= kSignatureOffset + kSignature.size() &&
           firstBytes.mid(kSignatureOffset, kSignature.size()) == kSignature;
}

QString sqliteCopy(const QString& accessPath, const std::function<void(int)>& progress)
{
    const QFileInfo accessFile(accessPath);
    if (!accessFile.isFile())
        return {};
    const QString directory = AccessCopyCache::directory();
    if (directory.isEmpty())
        return {};
    const QString copy = AccessCopyCache::copyPath(directory, accessFile);
    if (QFileInfo::exists(copy))
        return copy;

    // The library reading the file is not proof against every kind of damage (a damaged page
    // map can make it read astray), so the conversion runs in a process of its own, never in
    // this one: without the import program there is no conversion.
    const QString program = AccessImportProcess::program();
    if (program.isEmpty())
        return {};
    const QString part = AccessCopyCache::temporaryPath(copy);
    const bool converted = AccessImportProcess::run(program, accessPath, part, progress);
    // Another program may have finished the same copy meanwhile; either copy will do.
    const bool kept = converted && (QFile::rename(part, copy) || QFileInfo::exists(copy));
    QFile::remove(part);
    // The conversion is over, whichever way it went.
    if (progress)
        progress(100);
    if (!kept)
        return {};
    AccessCopyCache::removeStale(directory, accessFile, copy);
    return copy;
}

} // namespace AccessCatalogue
