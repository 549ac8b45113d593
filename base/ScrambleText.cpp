#include "ScrambleText.h"

#include "Windows1252.h"

#include <array>

namespace {

const char kScrambleKey[] = "q6";
constexpr int kScrambleKeyLength = 2;

bool isReserved(int value)
{
    return (value >= 0 && value <= 30) || (value >= 128 && value <= 158);
}

// The output code for each key position and input code. Lists of a million references
// are scrambled in one go, so the per-character work is a table lookup.
using ScrambleTable = std::array<std::array<char16_t, 256>, kScrambleKeyLength>;

ScrambleTable makeTable()
{
    ScrambleTable table{};
    for (int position = 0; position < kScrambleKeyLength; ++position) {
        const int k = static_cast<unsigned char>(kScrambleKey[position]) | 128;
        for (int c = 0; c < 256; ++c) {
            const int x = c ^ k;
            const int y = c ^ 128;
            const int out = !isReserved(x) ? x : !isReserved(y) ? y : c;
            table[size_t(position)][size_t(c)] = Windows1252::character(static_cast<unsigned char>(out)).unicode();
        }
    }
    return table;
}

} // namespace

QString ScrambleText(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    ScrambleTextInto(text, result.data());
    return result;
}

void ScrambleTextInto(QStringView text, QChar* out)
{
    static const ScrambleTable table = makeTable();
    const QChar* in = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = in[i].unicode();
        // Latin-1 characters are their own Windows-1252 codes, except 0x80-0x9F, which
        // Windows-1252 gives to other characters.
        const int c = (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) ? u : Windows1252::code(in[i]);
        out[i] = c < 0 ? in[i] : QChar(table[size_t(i % kScrambleKeyLength)][size_t(c)]);
    }
}
