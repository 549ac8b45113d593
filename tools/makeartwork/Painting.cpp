#include "Painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Painting {

QImage canvas(int width, int height, const QColor& top, const QColor& bottom)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.fillRect(image.rect(), fill);
    return image;
}

QImage transparentCanvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont letteringFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    return font;
}

void bolt(QPainter& painter, const QRectF& box, const QColor& color)
{
    // Drawn on a 10 x 16 grid, then fitted into the box.
    static const QPointF shape[] = {{6, 0}, {1, 9}, {4.6, 9}, {3, 16}, {9, 6}, {5.4, 6}, {7.2, 0}};
    QPolygonF polygon;
    for (const QPointF& point : shape)
        polygon << QPointF(box.left() + point.x() * box.width() / 10,
                           box.top() + point.y() * box.height() / 16);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(polygon);
    painter.restore();
}

void body(QPainter& painter, const QRectF& box, qreal radius, const QColor& base)
{
    QLinearGradient light(box.topLeft(), box.bottomRight());
    light.setColorAt(0, base.lighter(115));
    light.setColorAt(1, base.darker(118));
    painter.save();
    painter.setPen(QPen(base.darker(190), 1));
    painter.setBrush(light);
    painter.drawRoundedRect(box, radius, radius);
    painter.restore();
}

void screw(QPainter& painter, const QPointF& centre, qreal radius)
{
    QRadialGradient metal(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    metal.setColorAt(0, QColor(0xf4, 0xf4, 0xf4));
    metal.setColorAt(1, QColor(0x8a, 0x8e, 0x96));
    painter.save();
    painter.setPen(QPen(QColor(0x55, 0x58, 0x60), 0.8));
    painter.setBrush(metal);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(0x44, 0x46, 0x4c), qMax(1.0, radius / 3)));
    painter.drawLine(centre + QPointF(-radius * 0.6, radius * 0.6),
                     centre + QPointF(radius * 0.6, -radius * 0.6));
    painter.restore();
}

QRectF showcaseCard(QPainter& painter, const QSize& size, const QString& caption)
{
    const qreal band = 24;
    const QRectF all(0, 0, size.width(), size.height());

    QRadialGradient glow(all.center() - QPointF(0, band / 2), size.width() * 0.7);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(1, LightBlue);
    painter.fillRect(all, glow);

    const QRectF captionBand(0, size.height() - band, size.width(), band);
    QLinearGradient bandFill(captionBand.topLeft(), captionBand.bottomLeft());
    bandFill.setColorAt(0, Blue);
    bandFill.setColorAt(1, Navy);
    painter.fillRect(captionBand, bandFill);
    painter.setPen(Qt::white);
    painter.setFont(letteringFont(13, true));
    painter.drawText(captionBand, Qt::AlignCenter, caption);

    bolt(painter, QRectF(6, 5, 7, 11), Blue);
    painter.setPen(Navy);
    painter.setFont(letteringFont(9, true));
    painter.drawText(QRectF(15, 4, 60, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KORVEL"));

    return QRectF(8, 18, size.width() - 16, size.height() - band - 22);
}

} // namespace Painting
