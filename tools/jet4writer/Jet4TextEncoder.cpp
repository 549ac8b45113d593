#include "Jet4TextEncoder.h"

namespace {

QByteArray uncompressed(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xff));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

namespace Jet4TextEncoder {

QByteArray encode(const QString& text, bool allowCompression)
{
    QByteArray plain = uncompressed(text);
    if (!allowCompression || text.isEmpty())
        return plain;
    // A character whose low byte is zero would read as a mode switch, so such text stays plain.
    for (const QChar c : text) {
        if ((c.unicode() & 0xff) == 0)
            return plain;
    }
    QByteArray packed("\xff\xfe", 2);
    bool oneByte = true;
    for (const QChar c : text) {
        const bool fitsOneByte = c.unicode() < 0x100;
        if (fitsOneByte != oneByte) {
            packed.append('\0');
            oneByte = fitsOneByte;
        }
        packed.append(static_cast<char>(c.unicode() & 0xff));
        if (!oneByte)
            packed.append(static_cast<char>(c.unicode() >> 8));
    }
    return packed.size() < plain.size() ? packed : plain;
}

} // namespace Jet4TextEncoder
