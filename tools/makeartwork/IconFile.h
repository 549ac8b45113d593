#pragma once

#include <QImage>
#include <QList>
#include <QString>

// A Windows icon file holding several pictures, each stored as a palette bitmap of a given
// colour depth with a transparency mask. Qt's own icon writer stores one picture only.
class IconFile
{
public:
    // Adds a picture to be stored with 1, 4 or 8 bits per pixel (2, 16 or 256 colours).
    void add(const QImage& image, int bitsPerPixel);
    bool save(const QString& path) const;

private:
    struct Entry
    {
        QImage colours; // indexed, transparent pixels black
        QImage mask;    // set bits are transparent
        int bitsPerPixel;
    };

    static QList<QRgb> palette(int bitsPerPixel);
    static QByteArray bitmap(const Entry& entry);

    QList<Entry> m_entries;
};
