#include "AccessText.h"

#include "Windows1252.h"

namespace {

QString decodeJet4(const unsigned char* data, int size)
{
    QString text;
    if (size >= 2 && data[0] == 0xff && data[1] == 0xfe) {
        text.reserve(size - 2);
        bool oneByte = true;
        int i = 2;
        while (i < size) {
            if (data[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                text.append(QChar(char16_t(data[i])));
                ++i;
            } else if (i + 1 < size) {
                text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
                i += 2;
            } else {
                break;
            }
        }
        return text;
    }
    text.resize(size / 2);
    QChar* out = text.data();
    for (int i = 0; i + 1 < size; i += 2)
        *out++ = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}

} // namespace

namespace AccessText {

QString decode(const char* data, int size, bool jet3)
{
    if (size <= 0)
        return QString();
    if (jet3)
        return Windows1252::decode(QByteArray::fromRawData(data, size));
    return decodeJet4(reinterpret_cast<const unsigned char*>(data), size);
}

} // namespace AccessText
