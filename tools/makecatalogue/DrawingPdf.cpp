#include "DrawingPdf.h"

#include "base/Windows1252.h"

#include <QStringList>
#include <QVector>

#include <algorithm>

namespace {

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', 2);
}

QByteArray text(const char* font, double size, double x, double y, const QByteArray& string)
{
    return "BT /" + QByteArray(font) + ' ' + number(size) + " Tf " + number(x) + ' ' + number(y) + " Td " +
           string + " Tj ET\n";
}

QByteArray line(double x1, double y1, double x2, double y2)
{
    return number(x1) + ' ' + number(y1) + " m " + number(x2) + ' ' + number(y2) + " l S\n";
}

} // namespace

QByteArray DrawingPdf::make(const QString& reference, const QString& description, const QString& dimension)
{
    const QByteArray content = pageContent(reference, description, dimension);
    const QVector<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 842 595] "
        "/Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> /Contents 6 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "endstream",
    };

    QByteArray pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    QVector<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray DrawingPdf::pageContent(const QString& reference, const QString& description,
                                   const QString& dimension)
{
    const QStringList sizes = dimension.split(QLatin1Char('x'));
    double width = 100;
    double height = 100;
    if (sizes.size() == 3) {
        width = std::max(1, sizes.at(0).toInt());
        height = std::max(1, sizes.at(2).toInt());
    }

    // Front view centred in the drawing area left of the title block.
    const double scale = std::min(420.0 / width, 300.0 / height);
    const double w = width * scale;
    const double h = height * scale;
    const double x = 290 - w / 2;
    const double y = 320 - h / 2;

    QByteArray c;
    c += "0 0 0 RG 1.5 w\n20 20 802 555 re S\n";
    c += number(x) + ' ' + number(y) + ' ' + number(w) + ' ' + number(h) + " re S\n";
    c += "0.5 w\n";
    // Width below the view, height left of it, each with its extension lines.
    c += line(x, y - 8, x, y - 40) + line(x + w, y - 8, x + w, y - 40) + line(x, y - 30, x + w, y - 30);
    c += line(x - 8, y, x - 60, y) + line(x - 8, y + h, x - 60, y + h) + line(x - 50, y, x - 50, y + h);
    c += text("F2", 10, x + w / 2 - 10, y - 45, pdfString(QString::number(width)));
    c += text("F2", 10, x - 90, y + h / 2 - 4, pdfString(QString::number(height)));

    // Title block.
    c += "1 w\n532 20 290 90 re S\n" + line(532, 80, 822, 80);
    c += text("F1", 14, 542, 88, pdfString(QStringLiteral("Desenho dimensional")));
    c += text("F1", 12, 542, 62, pdfString(reference));
    c += text("F2", 8, 542, 46, pdfString(description.left(60)));
    c += text("F2", 8, 542, 30, pdfString(QStringLiteral("Korvel - medidas em mm - sem escala")));
    return c;
}

// A PDF literal string in the font's WinAnsi encoding.
QByteArray DrawingPdf::pdfString(const QString& text)
{
    QByteArray string = "(";
    for (const char byte : Windows1252::encode(text)) {
        if (byte == '(' || byte == ')' || byte == '\\')
            string += '\\';
        string += byte;
    }
    string += ')';
    return string;
}
