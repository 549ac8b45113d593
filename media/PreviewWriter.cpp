#include "PreviewWriter.h"

#include "RunnableExtension.h"
#include "catalogue/StoredFile.h"

#include <QDir>
#include <QFile>

namespace {

QString writePreview(const QString& folder, const QString& baseName, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const QByteArray stored = StoredFile::bytes(value);
    const QString extension = StoredFile::extension(stored);
    // The extension comes from the catalogue; it must never name a file elsewhere.
    if (!StoredFile::isPlainExtension(extension))
        return QString();
    // Nor may it make the desktop run what it is asked to show.
    if (RunnableExtension::isRunnable(extension))
        return QString();

    const QString path = QDir::toNativeSeparators(QDir(folder).filePath(baseName + extension));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    // A value too short to hold the extension field leaves the file created but empty.
    if (stored.size() < StoredFile::ExtensionLength)
        return QString();
    const QByteArray content = stored.mid(StoredFile::ExtensionLength);
    if (file.write(content) != content.size() || !file.flush())
        return QString();
    file.close();
    return file.error() == QFileDevice::NoError ? path : QString();
}

} // namespace

QString WritePhotoPreview(const QString& folder, const QVariant& value)
{
    return writePreview(folder, QStringLiteral("ArquivoTemporárioDePrévia."), value);
}

QString WriteAttachmentPreview(const QString& folder, const QVariant& value)
{
    return writePreview(folder, QStringLiteral("AnexoTemporárioDePrévia."), value);
}
