#include "PreviewWriter.h"

#include "RunnableExtension.h"
#include "StoredFileContent.h"
#include "UserPreviewFolder.h"
#include "base/ProgramLocation.h"
#include "catalogue/engine/StoredFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cstdio>

namespace {

const QString kPhotoName = QStringLiteral("ArquivoTemporárioDePrévia.");
const QString kAttachmentName = QStringLiteral("AnexoTemporárioDePrévia.");

// Writes `content` to a new file beside `path` and renames it over that name. Whatever stood
// under the name (a link to another file, a file someone holds open) is replaced, never written
// through: in a shared program folder, a link put there would otherwise make every user's
// program overwrite the file it points to.
bool writeReplacing(const QString& path, const QByteArray& content)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(content) != content.size() || !file.flush())
        return false;
    // As a file the program creates is: readable by the viewer whoever runs it.
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

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
    // A value too short to hold the extension field leaves the file created but empty.
    const bool complete = stored.size() >= StoredFile::ExtensionLength;
    if (!writeReplacing(path, complete ? content : QByteArray()))
        return {};
    return complete ? Preview{path, false} : Preview{QString(), true};
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
