#include "CatalogueFile.h"

#include "AccessCatalogue.h"
#include "base/CatalogueSignature.h"

#include <QFile>
#include <QFileInfo>

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
    const QByteArray head = file.read(CatalogueSignature::kHeadSize);
    file.close();
    if (CatalogueSignature::isSqlite(head))
        return path;
    if (CatalogueSignature::isAccess(head))
        return AccessCatalogue::sqliteCopy(path);
    return QString();
}

} // namespace CatalogueFile
