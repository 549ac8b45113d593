#include "CatalogueFile.h"

#include "AccessCatalogue.h"

#include <QFile>
#include <QFileInfo>

namespace {

std::function<void(int)>& progressHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

} // namespace

namespace CatalogueFile {

QString sqlitePathFor(const QString& path)
{
    // Only a regular file can be a catalogue; opening a pipe or a device to look would wait
    // for a writer for ever.
    if (!QFileInfo(path).isFile())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray head = file.read(100);
    file.close();
    static const QByteArray sqliteMagic("SQLite format 3\0", 16);
    if (head.startsWith(sqliteMagic))
        return path;
    if (AccessCatalogue::looksLikeAccess(head))
        return AccessCatalogue::sqliteCopy(path, progressHandler());
    return QString();
}

void setProgressHandler(std::function<void(int)> handler)
{
    progressHandler() = std::move(handler);
}

} // namespace CatalogueFile
