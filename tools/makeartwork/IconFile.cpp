#include "IconFile.h"

#include <QFile>
#include <QtEndian>

namespace {

void putWord(QByteArray& out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void putLong(QByteArray& out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

int rowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

} // namespace

QList<QRgb> IconFile::palette(int bitsPerPixel)
{
    static const QList<QRgb> standard16 = {
        0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
        0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
    if (bitsPerPixel == 1)
        return {0xff000000, 0xffffffff};
    if (bitsPerPixel == 4)
        return standard16;

    // The sixteen standard colours, a 6 x 6 x 6 colour cube and a ramp of greys.
    QList<QRgb> colours = standard16;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours << qRgb(r * 51, g * 51, b * 51);
    for (int i = 0; colours.size() < 256; ++i)
        colours << qRgb(8 + i * 10, 8 + i * 10, 8 + i * 10);
    return colours;
}

void IconFile::add(const QImage& image, int bitsPerPixel)
{
    QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
    QImage mask(opaque.size(), QImage::Format_Mono);
    mask.setColorTable({0xff000000, 0xffffffff});
    for (int y = 0; y < opaque.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        for (int x = 0; x < opaque.width(); ++x) {
            const bool transparent = qAlpha(line[x]) < 128;
            mask.setPixel(x, y, transparent ? 1 : 0);
            line[x] = transparent ? qRgb(0, 0, 0) : (line[x] | 0xff000000);
        }
    }
    const QImage colours = opaque.convertToFormat(QImage::Format_Indexed8, palette(bitsPerPixel),
                                                  Qt::ThresholdDither | Qt::AvoidDither);
    m_entries.append({colours, mask, bitsPerPixel});
}

QByteArray IconFile::bitmap(const Entry& entry)
{
    const int w = entry.colours.width();
    const int h = entry.colours.height();
    const QList<QRgb> colours = palette(entry.bitsPerPixel);
    QByteArray out;

    // Header; the height counts the colour bitmap and the mask together.
    putLong(out, 40);
    putLong(out, w);
    putLong(out, h * 2);
    putWord(out, 1);
    putWord(out, entry.bitsPerPixel);
    putLong(out, 0);
    putLong(out, (rowBytes(w, entry.bitsPerPixel) + rowBytes(w, 1)) * h);
    putLong(out, 0);
    putLong(out, 0);
    putLong(out, colours.size());
    putLong(out, 0);
    for (const QRgb colour : colours) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }

    // Rows bottom up, each padded to four bytes; first the colours, then the mask.
    for (const auto& [image, bits] :
         {std::pair{&entry.colours, entry.bitsPerPixel}, std::pair{&entry.mask, 1}}) {
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(rowBytes(w, bits), '\0');
            for (int x = 0; x < w; ++x) {
                const int index = image->pixelIndex(x, y);
                const int bit = x * bits;
                row[bit / 8] = char(row[bit / 8] | (index << (8 - bits - bit % 8)));
            }
            out.append(row);
        }
    }
    return out;
}

bool IconFile::save(const QString& path) const
{
    QByteArray directory;
    QByteArray images;
    putWord(directory, 0);
    putWord(directory, 1);
    putWord(directory, m_entries.size());
    const int firstOffset = 6 + 16 * m_entries.size();
    for (const Entry& entry : m_entries) {
        const QByteArray data = bitmap(entry);
        directory.append(char(entry.colours.width() & 0xff));
        directory.append(char(entry.colours.height() & 0xff));
        directory.append(char(entry.bitsPerPixel >= 8 ? 0 : 1 << entry.bitsPerPixel));
        directory.append(char(0));
        putWord(directory, 1);
        putWord(directory, entry.bitsPerPixel);
        putLong(directory, data.size());
        putLong(directory, firstOffset + images.size());
        images.append(data);
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(directory + images) == directory.size() + images.size() && file.flush();
}
