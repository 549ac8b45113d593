#include "MatchKey.h"

#include "LetterCase.h"

#include <QChar>

#include <array>

namespace MatchKey {

namespace {

bool isSeparator(char32_t character)
{
    return character == U' ' || character == U'-' || character == U'.' || character == U'/' ||
           character == U'_' || character == U'\'';
}

char32_t decomposedBase(char32_t character)
{
    // Decomposed step by step: "ǖ" is "ü" and a macron, "ü" is "u" and a diaeresis.
    for (int depth = 0; depth < 4 && QChar::decompositionTag(character) == QChar::Canonical; ++depth) {
        const QString parts = QChar::decomposition(character);
        if (parts.isEmpty())
            break;
        character = parts.at(0).isHighSurrogate() && parts.size() > 1
                        ? QChar::surrogateToUcs4(parts.at(0), parts.at(1))
                        : parts.at(0).unicode();
    }
    return character;
}

// The Latin letters a catalogue holds, looked up rather than decomposed each time.
constexpr char32_t kTabled = 0x250;

} // namespace

char32_t withoutAccents(char32_t character)
{
    static const std::array<char32_t, kTabled> tabled = [] {
        std::array<char32_t, kTabled> bases{};
        for (char32_t c = 0; c < kTabled; ++c)
            bases[c] = decomposedBase(c);
        return bases;
    }();
    if (character < 0x80)
        return character;
    return character < kTabled ? tabled[character] : decomposedBase(character);
}

bool Characters::next(char32_t* character)
{
    while (m_at < m_text.size()) {
        char32_t c = m_text[m_at++].unicode();
        if (QChar::isHighSurrogate(c) && m_at < m_text.size() && m_text[m_at].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), m_text[m_at++].unicode());
        if (m_withoutSeparators && isSeparator(c))
            continue;
        if (m_withoutAccents) {
            // Marks typed apart from their letter are accents too.
            if (c >= 0x300 && QChar::category(c) == QChar::Mark_NonSpacing)
                continue;
            c = withoutAccents(c);
        }
        *character = LetterCase::folded(c);
        return true;
    }
    return false;
}

qsizetype append(QStringView text, Kind kind, char16_t* out)
{
    char16_t* to = out;
    Characters characters(text, kind);
    for (char32_t c; characters.next(&c);) {
        if (QChar::requiresSurrogates(c)) {
            *to++ = QChar::highSurrogate(c);
            *to++ = QChar::lowSurrogate(c);
        } else {
            *to++ = char16_t(c);
        }
    }
    return to - out;
}

QString of(QStringView text, Kind kind)
{
    // A folded character has the length of its own in nearly every case; room for twice as many
    // units holds any.
    QString out(2 * text.size(), Qt::Uninitialized);
    out.resize(append(text, kind, reinterpret_cast<char16_t*>(out.data())));
    return out;
}

bool beginsWith(QStringView text, QStringView foldedPrefix, Kind kind)
{
    // Compared unit by unit, as a prefix typed may end inside a character.
    Characters characters(text, kind);
    qsizetype at = 0;
    for (char32_t c; at < foldedPrefix.size() && characters.next(&c);) {
        const char16_t units[2] = {QChar::requiresSurrogates(c) ? QChar::highSurrogate(c) : char16_t(c),
                                   QChar::requiresSurrogates(c) ? QChar::lowSurrogate(c) : char16_t(0)};
        for (int u = 0; u < (QChar::requiresSurrogates(c) ? 2 : 1) && at < foldedPrefix.size(); ++u) {
            if (foldedPrefix[at++].unicode() != units[u])
                return false;
        }
    }
    return at == foldedPrefix.size();
}

} // namespace MatchKey
