#include "OfferText.h"

#include "catalogue/EntryIndex.h"
#include "catalogue/LetterCase.h"

#include <QChar>

namespace OfferText {

bool isSeparator(char16_t unit)
{
    return EntryIndex::isSeparator(unit);
}

char16_t folded(char16_t unit)
{
    // Halves of a pair are kept as they are; letters outside the first plane are rare in a catalogue.
    if (QChar::isSurrogate(unit))
        return unit;
    const char32_t fold = LetterCase::folded(unit);
    return fold <= 0xFFFF ? char16_t(fold) : unit;
}

QString folded(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(out.data());
    for (const QChar c : text)
        *to++ = folded(c.unicode());
    return out;
}

qsizetype appendReferenceKey(QStringView text, char16_t* out)
{
    char16_t* to = out;
    for (const QChar c : text) {
        if (!isSeparator(c.unicode()))
            *to++ = folded(c.unicode());
    }
    return to - out;
}

QString referenceKey(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    out.resize(appendReferenceKey(text, reinterpret_cast<char16_t*>(out.data())));
    return out;
}

bool beginsWithFolded(QStringView text, QStringView foldedPrefix)
{
    if (text.size() < foldedPrefix.size())
        return false;
    for (qsizetype i = 0; i < foldedPrefix.size(); ++i) {
        if (folded(text[i].unicode()) != foldedPrefix[i].unicode())
            return false;
    }
    return true;
}

} // namespace OfferText
