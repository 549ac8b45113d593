#include "AccessCopyCache.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {

constexpr int kTemporaryAgeLimitSeconds = 24 * 60 * 60;

QString hashOf(const QString& text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString pathPrefix(const QFileInfo& accessFile)
{
    const QString canonical = accessFile.canonicalFilePath();
    return QStringLiteral("access-") +
           hashOf(canonical.isEmpty() ? accessFile.absoluteFilePath() : canonical) + QLatin1Char('-');
}

} // namespace

namespace AccessCopyCache {

QString directory()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    return path;
}

QString copyPath(const QString& directory, const QFileInfo& accessFile)
{
    const QString version = QString::number(accessFile.size()) + QLatin1Char(':') +
                            QString::number(accessFile.lastModified().toMSecsSinceEpoch());
    return QDir(directory).filePath(pathPrefix(accessFile) + hashOf(version) + QStringLiteral(".sqlite"));
}

QString temporaryPath(const QString& copyPath)
{
    return copyPath + QStringLiteral(".part-%1-%2")
                          .arg(QCoreApplication::applicationPid())
                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

void removeStale(const QString& directory, const QFileInfo& accessFile, const QString& keep)
{
    QDir dir(directory);
    const QString keepName = QFileInfo(keep).fileName();
    const QDateTime old = QDateTime::currentDateTime().addSecs(-kTemporaryAgeLimitSeconds);
    const QFileInfoList files = dir.entryInfoList({pathPrefix(accessFile) + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo& file : files) {
        if (file.fileName() == keepName)
            continue;
        // Another program may be converting the same file right now: only old parts go.
        const bool part = file.fileName().contains(QLatin1String(".part-"));
        if (!part || file.lastModified() < old)
            QFile::remove(file.filePath());
    }
}

} // namespace AccessCopyCache
