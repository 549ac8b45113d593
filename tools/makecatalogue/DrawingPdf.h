#pragma once

#include <QByteArray>
#include <QString>

// A one-page PDF dimensional drawing of a product: a front view with its width and height
// and a title block. Written by hand rather than through a PDF library so that the same
// product always gives the same bytes (no creation date, no random file identifier).
class DrawingPdf
{
public:
    // dimension is "WxDxH" in millimetres; other forms draw a square outline.
    static QByteArray make(const QString& reference, const QString& description, const QString& dimension);

private:
    static QByteArray pdfString(const QString& text);
    static QByteArray pageContent(const QString& reference, const QString& description,
                                  const QString& dimension);
};
