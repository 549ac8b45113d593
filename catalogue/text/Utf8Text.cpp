#include "Utf8Text.h"

#include <QStringDecoder>

namespace Utf8Text {

QChar* decodeInto(QByteArrayView text, QChar* out)
{
    // Characters of one and two bytes, all that catalogue texts and their scrambled forms hold,
    // are decoded here; anything else sends the whole text to Qt's decoder.
    const auto* in = reinterpret_cast<const uchar*>(text.data());
    const uchar* const end = in + text.size();
    QChar* next = out;
    while (in < end) {
        if (in[0] < 0x80) {
            *next++ = QChar(char16_t(in[0]));
            ++in;
        } else if (in[0] >= 0xC2 && in[0] <= 0xDF && in + 1 < end && (in[1] & 0xC0) == 0x80) {
            *next++ = QChar(char16_t(((in[0] & 0x1F) << 6) | (in[1] & 0x3F)));
            in += 2;
        } else {
            // Stateless: a character cut at the text's end is a replacement character, not kept
            // back for a next text that never comes.
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            return decoder.appendToBuffer(out, text);
        }
    }
    return next;
}

} // namespace Utf8Text
