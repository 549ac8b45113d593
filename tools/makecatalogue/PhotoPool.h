#pragma once

#include "PhotoShape.h"

#include <QByteArray>
#include <QSize>
#include <QVector>

// Photos as stored-file values. Large catalogues share a limited set of drawn photos among
// their products, so that the time to write them does not grow with the catalogue.
class PhotoPool
{
public:
    PhotoPool();

    // One of the shared photos of the shape; choice picks among them.
    const QByteArray& sharedPhoto(PhotoShape shape, int choice) const;
    // A photo drawn for one product, captioned with its reference.
    static QByteArray uniquePhoto(PhotoShape shape, const QSize& size, bool png, int hue,
                                  const QString& caption);
    // Sizes of the photos: small, large, landscape, portrait, square, and the photo box's own.
    static const QVector<QSize>& sizes();

private:
    QVector<QVector<QByteArray>> m_byShape;
};
