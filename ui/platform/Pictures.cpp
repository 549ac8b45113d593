#include "Pictures.h"

#include <QBitmap>
#include <QImageReader>
#include <QPixmapCache>

namespace {

QString resourcePath(const QString& name)
{
    return QStringLiteral(":/pictures/") + name;
}

// Every size stored in the icon file, not only the first.
QIcon iconFile(const QString& name)
{
    QIcon icon;
    QImageReader reader(resourcePath(name));
    // The icon reader does not step to the next picture by itself.
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i)
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    return icon;
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
