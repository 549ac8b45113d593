#include "Utf8Text.h"

#include <QStringDecoder>

#include <cstring>

namespace {

bool isAscii(const uchar* in, qsizetype bytes)
{
    // Eight bytes at a time: a scrambled text shows a wide character within its first few.
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    qsizetype i = 0;
    for (; i + 8 <= bytes; i += 8) {
        quint64 word;
        std::memcpy(&word, in + i, sizeof word);
        if (word & kHighBits)
            return false;
    }
    for (; i < bytes; ++i) {
        if (in[i] & 0x80)
            return false;
    }
    return true;
}

// Characters of one and two bytes, all that catalogue texts and their scrambled forms hold;
// nullptr at anything else, which is left to Qt's decoder.
QChar* decodeShort(const uchar* in, const uchar* end, QChar* out)
{
    while (in < end) {
        if (in[0] < 0x80) {
            *out++ = QChar(char16_t(in[0]));
            ++in;
        } else if (in[0] >= 0xC2 && in[0] <= 0xDF && in + 1 < end && (in[1] & 0xC0) == 0x80) {
            *out++ = QChar(char16_t(((in[0] & 0x1F) << 6) | (in[1] & 0x3F)));
            in += 2;
        } else {
            return nullptr;
        }
    }
    return out;
}

} // namespace

namespace Utf8Text {

QChar* decodeInto(QByteArrayView text, QChar* out)
{
    const auto* in = reinterpret_cast<const uchar*>(text.data());
    const qsizetype bytes = text.size();
    if (isAscii(in, bytes)) {
        for (qsizetype i = 0; i < bytes; ++i)
            out[i] = QChar(char16_t(in[i]));
        return out + bytes;
    }
    if (QChar* end = decodeShort(in, in + bytes, out))
        return end;
    // Stateless: a character cut at the text's end is a replacement character, not kept back
    // for a next text that never comes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return decoder.appendToBuffer(out, text);
}

} // namespace Utf8Text
