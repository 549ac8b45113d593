#include "Pictures.h"

#include <QBitmap>
#include <QPixmapCache>

namespace {

QString resourcePath(const QString& name)
{
    return QStringLiteral(":/pictures/") + name;
}

// Every size stored in the icon file, each in the picture of the most colours the file holds
// for it (Qt's reading of an icon file keeps the deepest of each size).
QIcon iconFile(const QString& name)
{
    return QIcon(resourcePath(name));
}

} // namespace

namespace Pictures {

QIcon programIcon()
{
    return iconFile(QStringLiteral("program.ico"));
}

QIcon dialogIcon()
{
    return iconFile(QStringLiteral("dialog.ico"));
}

QIcon browseIcon()
{
    return iconFile(QStringLiteral("browse.ico"));
}

QCursor magnifierCursor()
{
    const QBitmap shape = QBitmap::fromImage(QImage(resourcePath(QStringLiteral("magnifier.xbm"))));
    const QBitmap mask = QBitmap::fromImage(QImage(resourcePath(QStringLiteral("magnifier-mask.xbm"))));
    return QCursor(shape, mask, 12, 12);
}

QCursor handCursor()
{
    return QCursor(picture(QStringLiteral("hand.png")), 9, 1);
}

QPixmap picture(const QString& name)
{
    const QString key = QStringLiteral("lumeo-picture:") + name;
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap.load(resourcePath(name));
        if (!pixmap.isNull())
            QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

} // namespace Pictures
