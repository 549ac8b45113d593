#include "LetterCase.h"

namespace LetterCase {

char32_t folded(char32_t character)
{
    if (character < 0x80)
        return character >= U'A' && character <= U'Z' ? character + (U'a' - U'A') : character;
    if (character > QChar::LastValidCodePoint)
        return character;
    const char32_t fold = QChar::toCaseFolded(character);
    // The engine's own comparison never takes another character for an ASCII one (the Kelvin
    // sign for "k"); neither does this one, so that a plain-ASCII text may use its indexes.
    return fold < 0x80 ? character : fold;
}

QString indexPattern(const QString& likePattern)
{
    QString pattern;
    pattern.reserve(likePattern.size());
    for (qsizetype i = 0; i < likePattern.size(); ++i) {
        const QChar c = likePattern.at(i);
        if (c.unicode() < 0x80) {
            pattern.append(c);
            continue;
        }
        // A character beyond the first plane is two code units and one character to the engine.
        if (c.isHighSurrogate() && i + 1 < likePattern.size() && likePattern.at(i + 1).isLowSurrogate())
            ++i;
        pattern.append(QLatin1Char('_'));
    }
    return pattern;
}

} // namespace LetterCase
