#include "Banners.h"

#include "Painting.h"
#include "ProductPictures.h"

#include <QLinearGradient>
#include <QPainter>

using namespace Painting;

namespace Banners {

QImage header(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const qreal h = size.height();
    const QRectF mark(h * 0.14, h * 0.16, h * 0.6, h * 0.6);
    QLinearGradient markFill(mark.topLeft(), mark.bottomRight());
    markFill.setColorAt(0, Blue);
    markFill.setColorAt(1, Navy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(markFill);
    painter.drawRoundedRect(mark, h * 0.1, h * 0.1);
    bolt(
        painter,
        mark.adjusted(mark.width() * 0.26, mark.height() * 0.12, -mark.width() * 0.22, -mark.height() * 0.12),
        Qt::white);

    const qreal textLeft = mark.right() + h * 0.14;
    QFont word = letteringFont(h * 0.42, true);
    word.setLetterSpacing(QFont::AbsoluteSpacing, h * 0.03);
    painter.setFont(word);
    painter.setPen(Navy);
    painter.drawText(QRectF(textLeft, mark.top() - h * 0.06, size.width() - textLeft, h * 0.46),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KORVEL"));

    painter.setFont(letteringFont(h * 0.13, false));
    painter.setPen(QColor(0x5a, 0x60, 0x6c));
    painter.drawText(QRectF(textLeft + 2, mark.top() + h * 0.4, size.width() - textLeft, h * 0.18),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Equipamentos elétricos"));
    painter.setFont(letteringFont(h * 0.12, true));
    painter.setPen(Blue);
    painter.drawText(QRectF(textLeft + 2, mark.top() + h * 0.57, size.width() - textLeft, h * 0.16),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("catálogo na web  \u203a"));

    const QRectF stripe(0, h - h * 0.06, size.width(), h * 0.06);
    QLinearGradient stripeFill(stripe.topLeft(), stripe.topRight());
    stripeFill.setColorAt(0, Navy);
    stripeFill.setColorAt(1, QColor(0x6c, 0xa4, 0xf0));
    painter.fillRect(stripe, stripeFill);
    return image;
}

QImage decoration(const QSize& size)
{
    QImage image = canvas(size.width(), size.height(), LightBlue, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The enclosure and its mounting plate.
    const QRectF box(size.width() * 0.08, size.height() * 0.08, size.width() * 0.84, size.height() * 0.84);
    body(painter, box.translated(6, 6), 14, QColor(0x9c, 0xa8, 0xb8));
    body(painter, box, 14, QColor(0xe4, 0xe8, 0xee));
    const QRectF plate = box.adjusted(28, 44, -28, -24);
    body(painter, plate, 6, QColor(0xf6, 0xf7, 0xf9));

    painter.setPen(Navy);
    painter.setFont(letteringFont(20, true));
    bolt(painter, QRectF(box.left() + 28, box.top() + 12, 14, 22), Blue);
    painter.drawText(QRectF(box.left() + 48, box.top() + 8, 300, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("KORVEL"));

    // Two rails of breakers, a few of them switched off.
    const int perRow = 10;
    const qreal moduleWidth = (plate.width() - 40) / perRow;
    const qreal rowHeight = (plate.height() - 30) / 2;
    for (int row = 0; row < 2; ++row) {
        const qreal top = plate.top() + 10 + row * (rowHeight + 10);
        body(painter, QRectF(plate.left() + 8, top + rowHeight / 2 - 8, plate.width() - 16, 16), 2,
             QColor(0xb8, 0xbc, 0xc4));
        for (int i = 0; i < perRow; ++i) {
            const QRectF module(plate.left() + 20 + i * moduleWidth, top, moduleWidth - 2, rowHeight);
            ProductPictures::breakerModule(painter, module, (row * perRow + i) % 7 != 3);
        }
    }
    return image;
}

} // namespace Banners
