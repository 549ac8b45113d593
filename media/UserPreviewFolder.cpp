#include "UserPreviewFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace UserPreviewFolder {

QString made()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        return QString();
    const QString folder = QDir(cache).filePath(QStringLiteral("previews"));
    return QDir().mkpath(folder) ? QDir::toNativeSeparators(folder) : QString();
}

} // namespace UserPreviewFolder
