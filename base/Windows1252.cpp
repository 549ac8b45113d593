#include "Windows1252.h"

namespace {

// Unicode values of the codes 0x80 to 0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

namespace Windows1252 {

int code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QChar character(unsigned char value)
{
    if (value >= 0x80 && value < 0xA0)
        return QChar(kHighControls[value - 0x80]);
    return QChar(char16_t(value));
}

QString decode(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes)
        *out++ = character(static_cast<unsigned char>(b));
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const int value = code(c);
        *out++ = static_cast<char>(value < 0 ? '?' : value);
    }
    return bytes;
}

bool canEncode(const QString& text)
{
    for (const QChar c : text) {
        if (code(c) < 0)
            return false;
    }
    return true;
}

} // namespace Windows1252
