#include "PhotoPainter.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace {

QRectF centred(const QRectF& area, double widthShare, double heightShare)
{
    const double side = std::min(area.width(), area.height());
    const double w = std::min(area.width(), side * widthShare);
    const double h = std::min(area.height(), side * heightShare);
    return QRectF(area.center().x() - w / 2, area.center().y() - h / 2, w, h);
}

QLinearGradient sideLight(const QRectF& rect, const QColor& colour)
{
    QLinearGradient gradient(rect.topLeft(), rect.topRight());
    gradient.setColorAt(0, colour.lighter(150));
    gradient.setColorAt(0.45, colour);
    gradient.setColorAt(1, colour.darker(160));
    return gradient;
}

} // namespace

QImage PhotoPainter::paint(PhotoShape shape, const QSize& size, int hue, const QString& caption)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, QColor(250, 250, 252));
    background.setColorAt(1, QColor(205, 210, 218));
    painter.fillRect(image.rect(), background);

    const double captionHeight = std::max(12.0, size.height() * 0.16);
    const double margin = std::min(size.width(), size.height()) * 0.08;
    const QRectF area(margin, margin, size.width() - 2 * margin,
                      size.height() - captionHeight - 1.5 * margin);
    const QColor colour = QColor::fromHsv(hue % 360, 150, 200);

    painter.setPen(QPen(QColor(40, 40, 48), std::max(1.0, size.width() / 200.0)));
    switch (shape) {
    case PhotoShape::RailDevice:
        paintRailDevice(painter, area, colour);
        break;
    case PhotoShape::Socket:
        paintSocket(painter, area, colour);
        break;
    case PhotoShape::Lamp:
        paintLamp(painter, area, colour);
        break;
    case PhotoShape::Enclosure:
        paintEnclosure(painter, area, colour);
        break;
    case PhotoShape::Cylinder:
        paintCylinder(painter, area, colour);
        break;
    case PhotoShape::CableCoil:
        paintCableCoil(painter, area, colour);
        break;
    }

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(9, static_cast<int>(captionHeight * 0.6)));
    painter.setFont(font);
    painter.setPen(QColor(30, 40, 70));
    painter.drawText(QRectF(0, size.height() - captionHeight - margin / 2, size.width(), captionHeight),
                     Qt::AlignCenter, caption);
    painter.end();
    return image;
}

QByteArray PhotoPainter::encode(const QImage& image, bool png)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, png ? "PNG" : "JPG", png ? -1 : 85);
    return bytes;
}

// A modular device for DIN rail: body, toggle and terminal screws.
void PhotoPainter::paintRailDevice(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QRectF body = centred(area, 0.55, 1.0);
    painter.setBrush(sideLight(body, QColor(235, 235, 230)));
    painter.drawRoundedRect(body, body.width() * 0.08, body.width() * 0.08);

    const QRectF front =
        body.adjusted(body.width() * 0.12, body.height() * 0.25, -body.width() * 0.12, -body.height() * 0.25);
    painter.setBrush(sideLight(front, colour));
    painter.drawRect(front);

    const QRectF toggle = centred(front, 0.35, 0.6);
    painter.setBrush(sideLight(toggle, colour.darker(200)));
    painter.drawRoundedRect(toggle, 2, 2);

    painter.setBrush(QColor(180, 180, 185));
    const double screw = body.width() * 0.14;
    for (const double y : {body.top() + body.height() * 0.1, body.bottom() - body.height() * 0.1}) {
        painter.drawEllipse(QPointF(body.center().x() - body.width() * 0.2, y), screw / 2, screw / 2);
        painter.drawEllipse(QPointF(body.center().x() + body.width() * 0.2, y), screw / 2, screw / 2);
    }
}

// A wall plate with a round socket of two pins and earth.
void PhotoPainter::paintSocket(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QRectF plate = centred(area, 0.95, 0.95);
    QLinearGradient light(plate.topLeft(), plate.bottomRight());
    light.setColorAt(0, QColor(252, 252, 250));
    light.setColorAt(1, colour.lighter(140));
    painter.setBrush(light);
    painter.drawRoundedRect(plate, plate.width() * 0.12, plate.width() * 0.12);

    const QRectF socket = centred(plate, 0.6, 0.6);
    QRadialGradient hollow(socket.center(), socket.width() / 2);
    hollow.setColorAt(0, colour.lighter(120));
    hollow.setColorAt(1, colour.darker(180));
    painter.setBrush(hollow);
    painter.drawEllipse(socket);

    painter.setBrush(QColor(30, 30, 30));
    const double hole = socket.width() * 0.08;
    painter.drawEllipse(QPointF(socket.center().x() - socket.width() * 0.2, socket.center().y()), hole, hole);
    painter.drawEllipse(QPointF(socket.center().x() + socket.width() * 0.2, socket.center().y()), hole, hole);
    painter.drawEllipse(QPointF(socket.center().x(), socket.center().y() + socket.height() * 0.25), hole,
                        hole);
}

// A bulb on a threaded base.
void PhotoPainter::paintLamp(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QRectF bounds = centred(area, 0.7, 1.0);
    const QRectF bulb(bounds.left(), bounds.top(), bounds.width(), bounds.height() * 0.7);
    QRadialGradient glow(bulb.center() - QPointF(bulb.width() * 0.15, bulb.height() * 0.15),
                         bulb.width() * 0.7);
    glow.setColorAt(0, QColor(255, 255, 240));
    glow.setColorAt(1, colour);
    painter.setBrush(glow);
    painter.drawEllipse(bulb);

    const QRectF base(bounds.center().x() - bounds.width() * 0.2, bulb.bottom() - bounds.height() * 0.04,
                      bounds.width() * 0.4, bounds.height() * 0.32);
    painter.setBrush(sideLight(base, QColor(170, 170, 175)));
    painter.drawRect(base);
    for (int i = 1; i < 4; ++i) {
        const double y = base.top() + base.height() * i / 4;
        painter.drawLine(QPointF(base.left(), y), QPointF(base.right(), y));
    }
}

// A box seen from above and one side.
void PhotoPainter::paintEnclosure(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QRectF bounds = centred(area, 1.3, 1.0);
    const double depth = bounds.width() * 0.2;
    const QRectF front(bounds.left(), bounds.top() + depth, bounds.width() - depth, bounds.height() - depth);

    QPainterPath top;
    top.moveTo(front.topLeft());
    top.lineTo(front.left() + depth, bounds.top());
    top.lineTo(bounds.right(), bounds.top());
    top.lineTo(front.topRight());
    top.closeSubpath();
    painter.setBrush(colour.lighter(140));
    painter.drawPath(top);

    QPainterPath side;
    side.moveTo(front.topRight());
    side.lineTo(bounds.right(), bounds.top());
    side.lineTo(bounds.right(), front.bottom() - depth);
    side.lineTo(front.bottomRight());
    side.closeSubpath();
    painter.setBrush(colour.darker(150));
    painter.drawPath(side);

    painter.setBrush(sideLight(front, colour));
    painter.drawRect(front);
    painter.setBrush(QColor(240, 240, 235));
    painter.drawRect(centred(front, 0.5, 0.3));
}

// An upright cylinder, as a fuse or a level switch.
void PhotoPainter::paintCylinder(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QRectF bounds = centred(area, 0.6, 1.0);
    const double cap = bounds.height() * 0.15;
    const QRectF body(bounds.left(), bounds.top() + cap / 2, bounds.width(), bounds.height() - cap);
    painter.setBrush(sideLight(body, colour));
    painter.drawRect(body);
    painter.drawEllipse(QRectF(body.left(), body.bottom() - cap / 2, body.width(), cap));
    painter.setBrush(colour.lighter(150));
    painter.drawEllipse(QRectF(body.left(), body.top() - cap / 2, body.width(), cap));
}

// A coil of cable or conduit.
void PhotoPainter::paintCableCoil(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QRectF bounds = centred(area, 1.3, 1.0);
    const double thickness = std::max(2.0, bounds.height() * 0.06);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 5; ++ring) {
        const double inset = ring * thickness * 1.1;
        painter.setPen(QPen(ring % 2 ? colour.darker(130) : colour, thickness));
        painter.drawEllipse(
            bounds.adjusted(inset + thickness, inset + thickness, -inset - thickness, -inset - thickness));
    }
}
