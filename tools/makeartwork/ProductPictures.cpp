#include "ProductPictures.h"

#include "Painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Painting;

namespace {

const QColor Plastic(0xf2, 0xf0, 0xea);
const QColor DarkPlastic(0x4a, 0x4e, 0x56);
const QColor Copper(0xc8, 0x74, 0x3a);
const QColor Brass(0xd8, 0xb4, 0x4a);

// A showcase picture: the common card with the product drawn into the space it leaves.
QImage picture(const QSize& size, const QString& caption, void (*drawProduct)(QPainter&, const QRectF&))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawProduct(painter, showcaseCard(painter, size, caption));
    return image;
}

void shadow(QPainter& painter, const QRectF& under)
{
    QRadialGradient fade(under.center(), under.width() / 2);
    fade.setColorAt(0, QColor(0, 0, 0, 70));
    fade.setColorAt(1, QColor(0, 0, 0, 0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fade);
    painter.drawEllipse(under);
    painter.restore();
}

// A square wall plate with rounded corners, centred in area; returns its rectangle.
QRectF wallPlate(QPainter& painter, const QRectF& area)
{
    const qreal side = qMin(area.width(), area.height()) - 4;
    const QRectF plate(area.center().x() - side / 2, area.top() + 2, side, side);
    shadow(painter, plate.adjusted(-4, side * 0.8, 4, side * 0.15));
    body(painter, plate, side / 10, Plastic);
    body(painter, plate.adjusted(side * 0.12, side * 0.12, -side * 0.12, -side * 0.12), side / 14,
         Plastic.darker(104));
    return plate;
}

void drawBreakers(QPainter& painter, const QRectF& area)
{
    const qreal moduleWidth = area.height() * 0.42;
    const qreal total = moduleWidth * 3;
    const qreal left = area.center().x() - total / 2;
    const QRectF rail(left - 12, area.center().y() - 5, total + 24, 10);
    body(painter, rail, 1, QColor(0xb8, 0xbc, 0xc4));
    for (int i = 0; i < 3; ++i)
        ProductPictures::breakerModule(
            painter, QRectF(left + i * moduleWidth, area.top() + 2, moduleWidth - 1, area.height() - 4),
            i != 1);
}

void drawSockets(QPainter& painter, const QRectF& area)
{
    const QRectF plate = wallPlate(painter, area);
    const QPointF centre = plate.center();
    const qreal r = plate.width() * 0.24;

    // The recessed socket with its three round contacts.
    QRadialGradient recess(centre, r);
    recess.setColorAt(0, QColor(0xe6, 0xe4, 0xde));
    recess.setColorAt(1, QColor(0xc4, 0xc2, 0xbc));
    painter.setPen(QPen(QColor(0x9a, 0x98, 0x92), 1));
    painter.setBrush(recess);
    painter.drawEllipse(centre, r, r);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    const qreal hole = r * 0.16;
    painter.drawEllipse(centre + QPointF(-r * 0.45, -r * 0.1), hole, hole);
    painter.drawEllipse(centre + QPointF(r * 0.45, -r * 0.1), hole, hole);
    painter.drawEllipse(centre + QPointF(0, r * 0.45), hole, hole);
}

void drawContactors(QPainter& painter, const QRectF& area)
{
    const qreal width = area.height() * 0.9;
    const QRectF box(area.center().x() - width / 2, area.top() + 2, width, area.height() - 4);
    shadow(painter, QRectF(box.left() - 6, box.bottom() - 6, box.width() + 12, 12));
    body(painter, box, 4, QColor(0xe0, 0xe2, 0xe6));

    // Terminal rows at top and bottom.
    for (int row = 0; row < 2; ++row) {
        const qreal y = row == 0 ? box.top() + 9 : box.bottom() - 9;
        for (int i = 0; i < 3; ++i)
            screw(painter, QPointF(box.left() + width * (0.25 + 0.25 * i), y), 4);
    }
    // The front with the coil's marking and the auxiliary contact window.
    const QRectF front = box.adjusted(width * 0.15, 19, -width * 0.15, -19);
    body(painter, front, 2, QColor(0x3c, 0x4a, 0x62));
    painter.setPen(Qt::white);
    painter.setFont(letteringFont(9, true));
    painter.drawText(front.adjusted(0, 2, 0, -front.height() / 2), Qt::AlignCenter, QStringLiteral("A1  A2"));
    painter.fillRect(QRectF(front.center().x() - 6, front.center().y() + 4, 12, 8), QColor(0xe8, 0xc0, 0x30));
}

void drawLamps(QPainter& painter, const QRectF& area)
{
    const QPointF centre(area.center().x(), area.top() + area.height() * 0.38);
    const qreal r = area.height() * 0.34;

    QRadialGradient halo(centre, r * 2.0);
    halo.setColorAt(0, QColor(0xff, 0xe8, 0x80, 170));
    halo.setColorAt(1, QColor(0xff, 0xe8, 0x80, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, r * 2.0, r * 2.0);

    QPainterPath bulb;
    bulb.addEllipse(centre, r, r);
    QPainterPath neck;
    neck.moveTo(centre + QPointF(-r * 0.7, r * 0.7));
    neck.lineTo(centre + QPointF(-r * 0.4, r * 1.45));
    neck.lineTo(centre + QPointF(r * 0.4, r * 1.45));
    neck.lineTo(centre + QPointF(r * 0.7, r * 0.7));
    neck.closeSubpath();
    QRadialGradient glass(centre - QPointF(r / 3, r / 3), r * 1.6);
    glass.setColorAt(0, QColor(0xff, 0xff, 0xf4));
    glass.setColorAt(1, QColor(0xf6, 0xd8, 0x60));
    painter.setPen(QPen(QColor(0xc8, 0xa0, 0x30), 1));
    painter.setBrush(glass);
    painter.drawPath(bulb.united(neck));

    // The screw base.
    const qreal baseTop = centre.y() + r * 1.45;
    for (int i = 0; i < 4; ++i) {
        const QRectF ring(centre.x() - r * 0.42, baseTop + i * 4, r * 0.84, 4);
        body(painter, ring, 2, QColor(0xb4, 0xb8, 0xc0));
    }
    painter.setBrush(Ink);
    painter.drawEllipse(QPointF(centre.x(), baseTop + 18), r * 0.18, 2.5);
}

void drawCables(QPainter& painter, const QRectF& area)
{
    const qreal r = area.height() / 2 - 2;
    const QPointF centre(area.center().x() - r * 0.5, area.center().y());
    shadow(painter, QRectF(centre.x() - r, centre.y() + r - 6, 2 * r, 12));

    // The reel's flange, the wound cable and the hub.
    painter.setPen(QPen(QColor(0x6a, 0x4a, 0x2a), 1));
    painter.setBrush(QColor(0xb8, 0x86, 0x4e));
    painter.drawEllipse(centre, r, r);
    painter.setBrush(QColor(0x1c, 0x3a, 0x8c));
    painter.drawEllipse(centre, r * 0.78, r * 0.78);
    painter.setPen(QPen(QColor(0x4a, 0x6c, 0xc4), 1.2));
    painter.setBrush(Qt::NoBrush);
    for (qreal k = 0.4; k < 0.78; k += 0.07)
        painter.drawEllipse(centre, r * k, r * k);
    painter.setPen(QPen(QColor(0x6a, 0x4a, 0x2a), 1));
    painter.setBrush(QColor(0xd8, 0xb0, 0x78));
    painter.drawEllipse(centre, r * 0.3, r * 0.3);
    painter.setBrush(QColor(0x6a, 0x4a, 0x2a));
    painter.drawEllipse(centre, r * 0.08, r * 0.08);

    // The free end of the cable with its copper core.
    QPainterPath end;
    end.moveTo(centre + QPointF(r * 0.6, r * 0.5));
    end.cubicTo(centre + QPointF(r * 1.3, r * 1.0), centre + QPointF(r * 1.5, 0),
                centre + QPointF(r * 1.9, -r * 0.2));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x1c, 0x3a, 0x8c), 6, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(end);
    painter.setPen(QPen(Copper, 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF tip = centre + QPointF(r * 1.9, -r * 0.2);
    painter.drawLine(tip, tip + QPointF(6, -2.5));
}

void drawSwitches(QPainter& painter, const QRectF& area)
{
    const QRectF plate = wallPlate(painter, area);
    const QRectF rocker = plate.adjusted(plate.width() * 0.3, plate.height() * 0.22, -plate.width() * 0.3,
                                         -plate.height() * 0.22);
    QLinearGradient tilt(rocker.topLeft(), rocker.bottomLeft());
    tilt.setColorAt(0, Qt::white);
    tilt.setColorAt(0.5, Plastic);
    tilt.setColorAt(0.52, Plastic.darker(112));
    tilt.setColorAt(1, Plastic.darker(104));
    painter.setPen(QPen(Plastic.darker(150), 1));
    painter.setBrush(tilt);
    painter.drawRoundedRect(rocker, 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0xa0, 0x48));
    painter.drawRoundedRect(QRectF(rocker.center().x() - 4, rocker.top() + 5, 8, 3), 1.5, 1.5);
}

void drawPlugs(QPainter& painter, const QRectF& area)
{
    const qreal height = area.height() * 0.52;
    const QRectF head(area.center().x() - height * 0.9, area.center().y() - height / 2, height * 1.2, height);

    // The cable leaving the plug to the left.
    QPainterPath cord;
    cord.moveTo(head.left() + 2, head.center().y());
    cord.cubicTo(head.left() - 25, head.center().y() + 10, area.left() + 20, area.bottom() - 4,
                 area.left() + 2, area.bottom() - 8);
    painter.setPen(QPen(DarkPlastic, 5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(cord);

    // Three round pins.
    for (int i = 0; i < 3; ++i) {
        const qreal y = head.top() + head.height() * (0.25 + 0.25 * i);
        const qreal length = i == 1 ? 16 : 20;
        QLinearGradient pin(0, y - 2.5, 0, y + 2.5);
        pin.setColorAt(0, QColor(0xf0, 0xf0, 0xf2));
        pin.setColorAt(1, QColor(0x90, 0x94, 0x9c));
        painter.setPen(QPen(QColor(0x70, 0x74, 0x7c), 0.8));
        painter.setBrush(pin);
        painter.drawRoundedRect(QRectF(head.right() - 2, y - 2.5, length, 5), 2.5, 2.5);
    }
    body(painter, head, head.height() * 0.25, DarkPlastic);
    painter.setPen(QPen(DarkPlastic.lighter(150), 1));
    for (int i = 1; i < 4; ++i)
        painter.drawLine(QPointF(head.left() + 6 + i * 5, head.top() + 5),
                         QPointF(head.left() + 6 + i * 5, head.bottom() - 5));
}

void drawFuses(QPainter& painter, const QRectF& area)
{
    const qreal length = area.width() * 0.62;
    for (int i = 0; i < 2; ++i) {
        const qreal diameter = area.height() * 0.34;
        const QRectF fuse(area.center().x() - length / 2 + (i == 0 ? -8 : 8),
                          area.top() + 4 + i * (diameter + 10), length, diameter);
        shadow(painter, QRectF(fuse.left(), fuse.bottom() - 3, fuse.width(), 8));
        // Ceramic body between two brass caps and blades.
        QLinearGradient ceramic(fuse.topLeft(), fuse.bottomLeft());
        ceramic.setColorAt(0, QColor(0xfb, 0xfa, 0xf6));
        ceramic.setColorAt(1, QColor(0xcf, 0xcc, 0xc4));
        painter.setPen(QPen(QColor(0x90, 0x8c, 0x84), 1));
        painter.setBrush(ceramic);
        painter.drawRect(fuse.adjusted(12, 0, -12, 0));
        for (int side = 0; side < 2; ++side) {
            const qreal x = side == 0 ? fuse.left() : fuse.right() - 14;
            body(painter, QRectF(x, fuse.top() - 1, 14, fuse.height() + 2), 2, Brass);
            const qreal bladeX = side == 0 ? fuse.left() - 8 : fuse.right();
            body(painter, QRectF(bladeX, fuse.center().y() - 3, 8, 6), 1, Brass.darker(110));
        }
        painter.setPen(Navy);
        painter.setFont(letteringFont(9, true));
        painter.drawText(fuse.adjusted(14, 0, -14, 0), Qt::AlignCenter,
                         i == 0 ? QStringLiteral("gG 63A") : QStringLiteral("gG 100A"));
    }
}

} // namespace

namespace ProductPictures {

void breakerModule(QPainter& painter, const QRectF& box, bool on)
{
    body(painter, box, 2, Plastic);
    const qreal w = box.width();
    // Terminal windows with their screws.
    for (const qreal y : {box.top() + w * 0.45, box.bottom() - w * 0.45}) {
        painter.fillRect(QRectF(box.left() + w * 0.2, y - w * 0.3, w * 0.6, w * 0.6),
                         QColor(0x50, 0x54, 0x5c));
        screw(painter, QPointF(box.center().x(), y), w * 0.22);
    }
    // The toggle and its slot.
    const QRectF slot(box.center().x() - w * 0.22, box.center().y() - w * 0.55, w * 0.44, w * 1.1);
    painter.fillRect(slot, QColor(0x30, 0x33, 0x3a));
    const QRectF lever(slot.left() + 1, on ? slot.top() + 1 : slot.center().y(), slot.width() - 2,
                       slot.height() / 2 - 1);
    body(painter, lever, 1, on ? QColor(0x2a, 0x56, 0xb8) : QColor(0x6a, 0x70, 0x7a));
}

QImage breakers(const QSize& size)
{
    return picture(size, QStringLiteral("Disjuntores"), drawBreakers);
}
QImage sockets(const QSize& size)
{
    return picture(size, QStringLiteral("Tomadas"), drawSockets);
}
QImage contactors(const QSize& size)
{
    return picture(size, QStringLiteral("Contatores"), drawContactors);
}
QImage lamps(const QSize& size)
{
    return picture(size, QStringLiteral("Iluminação"), drawLamps);
}
QImage cables(const QSize& size)
{
    return picture(size, QStringLiteral("Fios e cabos"), drawCables);
}
QImage switches(const QSize& size)
{
    return picture(size, QStringLiteral("Interruptores"), drawSwitches);
}
QImage plugs(const QSize& size)
{
    return picture(size, QStringLiteral("Plugues"), drawPlugs);
}
QImage fuses(const QSize& size)
{
    return picture(size, QStringLiteral("Fusíveis"), drawFuses);
}

} // namespace ProductPictures
