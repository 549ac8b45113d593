#pragma once

#include "PhotoShape.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QPainter;
class QRectF;

// Draws an illustrative product photo: a simple object of the family's kind, shaded with
// gradients, over a light background, with a caption below it.
class PhotoPainter
{
public:
    static QImage paint(PhotoShape shape, const QSize& size, int hue, const QString& caption);
    // The image as JPEG or PNG file bytes.
    static QByteArray encode(const QImage& image, bool png);

private:
    static void paintRailDevice(QPainter& painter, const QRectF& area, const QColor& colour);
    static void paintSocket(QPainter& painter, const QRectF& area, const QColor& colour);
    static void paintLamp(QPainter& painter, const QRectF& area, const QColor& colour);
    static void paintEnclosure(QPainter& painter, const QRectF& area, const QColor& colour);
    static void paintCylinder(QPainter& painter, const QRectF& area, const QColor& colour);
    static void paintCableCoil(QPainter& painter, const QRectF& area, const QColor& colour);
};
