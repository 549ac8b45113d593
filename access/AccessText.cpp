#include "AccessText.h"

#include "base/Windows1252.h"

namespace {

bool decodeJet4(const unsigned char* data, int size, QString& text)
{
    if (size >= 2 && data[0] == 0xff && data[1] == 0xfe) {
        // Never more characters than bytes after the marker.
        text.resize(size - 2);
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        char16_t* const begin = out;
        bool oneByte = true;
        int i = 2;
        while (i < size) {
            if (data[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                *out++ = data[i++];
            } else if (i + 1 < size) {
                *out++ = char16_t(data[i] | (data[i + 1] << 8));
                i += 2;
            } else {
                // Half a character: the text was cut or its marker is not one.
                return false;
            }
        }
        text.truncate(int(out - begin));
        return true;
    }
    // Two bytes a character: an odd count is a damaged text, or a damaged marker.
    if (size % 2 != 0)
        return false;
    text.resize(size / 2);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (int i = 0; i + 1 < size; i += 2)
        *out++ = char16_t(data[i] | (data[i + 1] << 8));
    return true;
}

} // namespace

namespace AccessText {

bool decode(const char* data, int size, bool jet3, QString& text)
{
    if (size <= 0) {
        text.resize(0);
        return true;
    }
    if (jet3) {
        text = Windows1252::decode(QByteArray::fromRawData(data, size));
        return true;
    }
    return decodeJet4(reinterpret_cast<const unsigned char*>(data), size, text);
}

} // namespace AccessText
