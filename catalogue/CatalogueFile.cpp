#include "CatalogueFile.h"

#include <QFile>

namespace CatalogueFile {

QString sqlitePathFor(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray head = file.read(100);
    static const QByteArray sqliteMagic("SQLite format 3\0", 16);
    if (head.startsWith(sqliteMagic))
        return path;
    return QString();
}

} // namespace CatalogueFile
