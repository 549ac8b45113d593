#include "AccessCatalogue.h"

#include "AccessCopyCache.h"
#include "AccessImportProcess.h"
#include "AccessImporter.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kSignatureOffset = 4;
const QByteArray kSignature("Standard Jet DB");

bool convert(const QString& accessPath, const QString& target, const std::function<void(int)>& progress)
{
    // The library reading the file is not proof against every kind of damage: the conversion
    // runs in a process of its own when the import program is installed beside this one.
    const QString program = AccessImportProcess::program();
    if (!program.isEmpty())
        return AccessImportProcess::run(program, accessPath, target, progress);
    QString error;
    return AccessImporter::convert(accessPath, target, progress, &error);
}

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

    const QString part = AccessCopyCache::temporaryPath(copy);
    const bool converted = convert(accessPath, part, progress);
    // Another program may have finished the same copy meanwhile; either copy will do.
    if (!converted || (!QFile::rename(part, copy) && !QFileInfo::exists(copy))) {
        QFile::remove(part);
        return {};
    }
    QFile::remove(part);
    AccessCopyCache::removeStale(directory, accessFile, copy);
    if (progress)
        progress(100);
    return copy;
}

} // namespace AccessCatalogue
