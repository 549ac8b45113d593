#include "ScrambleText.h"

#include "Windows1252.h"

namespace {

const char kScrambleKey[] = "q6";
constexpr int kScrambleKeyLength = 2;

bool isReserved(int value)
{
    return (value >= 0 && value <= 30) || (value >= 128 && value <= 158);
}

} // namespace

QString ScrambleText(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    int keyPosition = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        keyPosition = keyPosition % kScrambleKeyLength + 1;
        const int c = Windows1252::code(text.at(i));
        if (c < 0) {
            result[i] = text.at(i);
            continue;
        }
        const int k = static_cast<unsigned char>(kScrambleKey[keyPosition - 1]) | 128;
        const int x = c ^ k;
        const int y = c ^ 128;
        if (!isReserved(x))
            result[i] = Windows1252::character(static_cast<unsigned char>(x));
        else if (!isReserved(y))
            result[i] = Windows1252::character(static_cast<unsigned char>(y));
        else
            result[i] = text.at(i);
    }
    return result;
}
