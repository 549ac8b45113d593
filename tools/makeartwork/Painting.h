#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// Drawing routines shared by all of the program's pictures.
namespace Painting {

// The house colours.
inline const QColor Navy{0x0b, 0x2a, 0x6f};
inline const QColor Blue{0x1f, 0x5f, 0xd0};
inline const QColor LightBlue{0xdc, 0xe8, 0xf7};
inline const QColor Ink{0x22, 0x26, 0x2e};

// An opaque picture filled with a vertical gradient.
QImage canvas(int width, int height, const QColor& top, const QColor& bottom);

// A transparent picture, for icons and pointers.
QImage transparentCanvas(int size);

// The sans-serif family the pictures are lettered in, sized in pixels.
QFont letteringFont(qreal pixelSize, bool bold);

// The lightning bolt of the brand, fitted into box.
void bolt(QPainter& painter, const QRectF& box, const QColor& color);

// A moulded plastic or metal body: rounded box, lit from the top left, with an outline.
void body(QPainter& painter, const QRectF& box, qreal radius, const QColor& base);

// A slotted terminal screw.
void screw(QPainter& painter, const QPointF& centre, qreal radius);

// The common frame of a showcase picture: light card, brand corner and caption band.
// Returns the area left for the product itself.
QRectF showcaseCard(QPainter& painter, const QSize& size, const QString& caption);

} // namespace Painting
