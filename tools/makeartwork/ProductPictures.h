#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// The product-line pictures of the search window's showcase column, one per line.
namespace ProductPictures {

QImage breakers(const QSize& size);
QImage sockets(const QSize& size);
QImage contactors(const QSize& size);
QImage lamps(const QSize& size);
QImage cables(const QSize& size);
QImage switches(const QSize& size);
QImage plugs(const QSize& size);
QImage fuses(const QSize& size);

// One DIN-rail breaker module, also used by the decorative distribution board.
void breakerModule(QPainter& painter, const QRectF& box, bool on);

} // namespace ProductPictures
