#include "PhotoPool.h"

#include "PhotoPainter.h"
#include "StoredFileValue.h"

namespace {

constexpr int kSharedPhotoCount = 40;

} // namespace

PhotoPool::PhotoPool() : m_byShape(kPhotoShapeCount)
{
    const QVector<QSize>& all = sizes();
    for (int i = 0; i < kSharedPhotoCount; ++i) {
        const auto shape = static_cast<PhotoShape>(i % kPhotoShapeCount);
        const QSize size = all.at((i * 7) % all.size());
        m_byShape[i % kPhotoShapeCount].append(
            uniquePhoto(shape, size, i % 4 == 3, (i * 47) % 360, QStringLiteral("Korvel")));
    }
}

const QByteArray& PhotoPool::sharedPhoto(PhotoShape shape, int choice) const
{
    const QVector<QByteArray>& photos = m_byShape.at(static_cast<int>(shape));
    return photos.at(choice % photos.size());
}

QByteArray PhotoPool::uniquePhoto(PhotoShape shape, const QSize& size, bool png, int hue,
                                  const QString& caption)
{
    const QImage image = PhotoPainter::paint(shape, size, hue, caption);
    return StoredFileValue::make(png ? "png" : "jpg", PhotoPainter::encode(image, png));
}

const QVector<QSize>& PhotoPool::sizes()
{
    static const QVector<QSize> list = {
        {120, 90},  {180, 120}, {300, 200}, {200, 300}, {400, 400}, {640, 480},
        {201, 179}, {220, 200}, {160, 160}, {240, 180}, {90, 120},  {320, 240},
    };
    return list;
}
