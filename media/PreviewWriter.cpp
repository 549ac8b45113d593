#include "PreviewWriter.h"

#include "RunnableExtension.h"
#include "StoredFileContent.h"
#include "UserPreviewFolder.h"
#include "base/ProgramLocation.h"
#include "catalogue/StoredFile.h"

#include <QDir>
#include <QFile>

namespace {

const QString kPhotoName = QStringLiteral("ArquivoTemporárioDePrévia.");
const QString kAttachmentName = QStringLiteral("AnexoTemporárioDePrévia.");

struct Preview
{
    QString path;         // empty when nothing was written
    bool refused = false; // the value itself is not written, wherever it is tried
};

Preview writePreview(const QString& folder, const QString& baseName, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {QString(), true};
    const QByteArray stored = StoredFile::bytes(value);
    const QByteArray content = stored.mid(StoredFile::ExtensionLength);
    // A program is never written, whatever its extension says: a desktop may type the file
    // by its content and run it.
    if (StoredFileContent::isProgram(content))
        return {QString(), true};
    QString extension = StoredFile::extension(stored);
    // A picture stored without an extension, with one the desktop would run, or with one
    // that is no plain extension, shows under its own type.
    const QString picture = StoredFileContent::pictureExtension(content);
    if (!picture.isEmpty() && (extension.isEmpty() || RunnableExtension::isRunnable(extension) ||
                               !StoredFile::isPlainExtension(extension)))
        extension = picture;
    // The extension comes from the catalogue; it must never name a file elsewhere, nor make
    // the desktop run what it is asked to show.
    if (!StoredFile::isPlainExtension(extension) || RunnableExtension::isRunnable(extension))
        return {QString(), true};

    const QString path = QDir::toNativeSeparators(QDir(folder).filePath(baseName + extension));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    // A value too short to hold the extension field leaves the file created but empty.
    if (stored.size() < StoredFile::ExtensionLength)
        return {QString(), true};
    if (file.write(content) != content.size() || !file.flush())
        return {};
    file.close();
    return {file.error() == QFileDevice::NoError ? path : QString(), false};
}

QString writeWhereItCan(const QString& baseName, const QVariant& value)
{
    const Preview beside = writePreview(ProgramLocation::directory(), baseName, value);
    if (!beside.path.isEmpty() || beside.refused)
        return beside.path;
    const QString ownFolder = UserPreviewFolder::made();
    return ownFolder.isEmpty() ? QString() : writePreview(ownFolder, baseName, value).path;
}

} // namespace

QString WritePhotoPreview(const QVariant& value)
{
    return writeWhereItCan(kPhotoName, value);
}

QString WriteAttachmentPreview(const QVariant& value)
{
    return writeWhereItCan(kAttachmentName, value);
}

QString WritePhotoPreview(const QString& folder, const QVariant& value)
{
    return writePreview(folder, kPhotoName, value).path;
}

QString WriteAttachmentPreview(const QString& folder, const QVariant& value)
{
    return writePreview(folder, kAttachmentName, value).path;
}
