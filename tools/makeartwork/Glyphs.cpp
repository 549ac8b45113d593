#include "Glyphs.h"

#include "Painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Painting;

namespace {

void startPainter(QPainter& painter, bool smooth)
{
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
}

} // namespace

namespace Glyphs {

QImage drawingButton(const QSize& size)
{
    QImage image = canvas(size.width(), size.height(), QColor(0xec, 0xee, 0xf2), QColor(0xd4, 0xd8, 0xe0));
    QPainter painter(&image);
    startPainter(painter, false);

    // The sheet with a folded corner.
    const int w = size.width(), h = size.height();
    const QPolygon sheet(
        {QPoint(3, 2), QPoint(w - 8, 2), QPoint(w - 4, 6), QPoint(w - 4, h - 3), QPoint(3, h - 3)});
    painter.setPen(QColor(0x50, 0x58, 0x68));
    painter.setBrush(Qt::white);
    painter.drawPolygon(sheet);
    painter.drawLine(w - 8, 2, w - 8, 6);
    painter.drawLine(w - 8, 6, w - 4, 6);

    // A part outline with a hole, and its dimension line with arrows.
    painter.setPen(Blue);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(7, 9, w - 15, h - 19);
    painter.drawEllipse(QPoint(w / 2, 9 + (h - 19) / 2), 3, 3);
    const int y = h - 7;
    painter.setPen(QColor(0xc0, 0x20, 0x20));
    painter.drawLine(7, y, w - 8, y);
    painter.drawLine(7, y, 9, y - 2);
    painter.drawLine(7, y, 9, y + 2);
    painter.drawLine(w - 8, y, w - 10, y - 2);
    painter.drawLine(w - 8, y, w - 10, y + 2);
    return image;
}

QImage programIcon(int size)
{
    // Flat colours, which survive the icon's 256-colour palette without banding.
    QImage image = transparentCanvas(size);
    QPainter painter(&image);
    startPainter(painter, true);
    const qreal s = size;
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    painter.setPen(QPen(Navy, 1));
    painter.setBrush(QColor(0x33, 0x66, 0xcc));
    painter.drawRoundedRect(tile, s * 0.18, s * 0.18);
    bolt(painter, QRectF(s * 0.24, s * 0.12, s * 0.52, s * 0.76), QColor(0xff, 0xcc, 0x00));
    return image;
}

QImage dialogIcon(int size)
{
    // Drawn in the sixteen standard colours only, as the icon is also stored with 16.
    QImage image = transparentCanvas(size);
    QPainter painter(&image);
    startPainter(painter, false);
    const qreal s = size;
    const qreal left = s * 0.12, width = s * 0.76, disc = s * 0.22, step = s * 0.24;
    const QColor navy(0x00, 0x00, 0x80), blue(0x00, 0x00, 0xff), silver(0xc0, 0xc0, 0xc0);

    // Three stacked discs, bottom first, so that each top face covers the one below.
    for (int i = 2; i >= 0; --i) {
        const qreal top = s * 0.08 + i * step;
        QPainterPath drum;
        drum.moveTo(left, top + disc / 2);
        drum.lineTo(left, top + disc / 2 + step);
        drum.arcTo(QRectF(left, top + step, width, disc), 180, 180);
        drum.lineTo(left + width, top + disc / 2);
        drum.closeSubpath();
        painter.setPen(navy);
        painter.setBrush(blue);
        painter.drawPath(drum);
        painter.setBrush(silver);
        painter.drawEllipse(QRectF(left, top, width, disc));
    }
    return image;
}

QImage browseIcon(int size)
{
    QImage image = transparentCanvas(size);
    QPainter painter(&image);
    startPainter(painter, false);
    const qreal s = size;
    const QColor edge(0x80, 0x60, 0x00);

    // The back of the folder with its tab, then the open front leaning forward.
    QPolygonF back({QPointF(s * 0.06, s * 0.2), QPointF(s * 0.38, s * 0.2), QPointF(s * 0.46, s * 0.3),
                    QPointF(s * 0.9, s * 0.3), QPointF(s * 0.9, s * 0.84), QPointF(s * 0.06, s * 0.84)});
    painter.setPen(edge);
    painter.setBrush(QColor(0xc0, 0xc0, 0x00));
    painter.drawPolygon(back);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(s * 0.16, s * 0.36, s * 0.62, s * 0.3));
    QPolygonF front({QPointF(s * 0.2, s * 0.46), QPointF(s * 0.96, s * 0.46), QPointF(s * 0.84, s * 0.84),
                     QPointF(s * 0.06, s * 0.84)});
    painter.setBrush(QColor(0xff, 0xff, 0x00));
    painter.drawPolygon(front);
    return image;
}

QImage magnifierPointer()
{
    QImage image = transparentCanvas(32);
    QPainter painter(&image);
    startPainter(painter, false);

    // Handle first, then the lens over it: a white ring inside a black outline.
    painter.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(20, 20, 29, 29);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(21, 21, 28, 28);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(12, 12), 11, 11);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(12, 12), 9, 9);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(12, 12), 7, 7);
    // A plus in the lens marks the spot that is clicked.
    painter.drawLine(9, 12, 15, 12);
    painter.drawLine(12, 9, 12, 15);
    return image;
}

QImage handPointer()
{
    QImage image = transparentCanvas(24);
    QPainter painter(&image);
    startPainter(painter, true);

    // The raised index finger, the three folded fingers, the thumb and the palm, as one outline.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(7.5, 1.5, 4, 13), 2, 2);
    hand.addRoundedRect(QRectF(11, 8.5, 3.6, 7), 1.8, 1.8);
    hand.addRoundedRect(QRectF(14.2, 9.5, 3.6, 6.5), 1.8, 1.8);
    hand.addRoundedRect(QRectF(17.4, 10.5, 3.4, 6), 1.7, 1.7);
    hand.addRoundedRect(QRectF(3, 11, 6, 3.6), 1.8, 1.8);
    hand.addRoundedRect(QRectF(6.5, 12.5, 14.3, 7.5), 3, 3);
    hand = hand.simplified();

    QLinearGradient skin(0, 0, 24, 24);
    skin.setColorAt(0, QColor(0xff, 0xe8, 0xd0));
    skin.setColorAt(1, QColor(0xe8, 0xb8, 0x90));
    painter.setPen(QPen(QColor(0x30, 0x20, 0x18), 1));
    painter.setBrush(skin);
    painter.drawPath(hand);

    // The cuff.
    painter.setPen(QPen(Navy, 1));
    painter.setBrush(Blue);
    painter.drawRoundedRect(QRectF(7.5, 19.5, 12.5, 4), 1, 1);
    return image;
}

} // namespace Glyphs
