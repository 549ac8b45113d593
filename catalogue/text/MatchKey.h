#pragma once

#include <QString>
#include <QStringView>

// The one key by which typed text and list entries are matched, by the offers while the user
// types and by the lookups of a whole entry: every letter folded as the lookups ignore case
// (LetterCase, character by character, those beyond the first plane too); for references
// without the separators that people type differently from the catalogue (blanks, "-", ".",
// "/", "_" and the apostrophe: "d'agua" is read out as "d agua" or "dagua"); and, as a last
// resort and in the offers, without accents (a letter's marks left out, "Fusível" as "fusivel",
// "ç" as "c").
namespace MatchKey {

enum class Kind
{
    LetterCase,              // every letter folded; accents and all else count
    LetterCaseAndSeparators, // folded, and without the separators
    LetterCaseAndAccents,    // folded, and without accents; separators count
    Everything,              // folded, without the separators and without accents
};

// The letter without its accents (its canonical decomposition's first character), or the
// character itself.
char32_t withoutAccents(char32_t character);

// The characters of a text's key, one at a time, read straight from the text: a list of a
// million entries is keyed without a string made for each.
class Characters
{
public:
    Characters(QStringView text, Kind kind)
        : m_text(text),
          m_withoutSeparators(kind == Kind::LetterCaseAndSeparators || kind == Kind::Everything),
          m_withoutAccents(kind == Kind::LetterCaseAndAccents || kind == Kind::Everything)
    {
    }

    // False at the end of the key.
    bool next(char32_t* character);

private:
    QStringView m_text;
    qsizetype m_at = 0;
    bool m_withoutSeparators;
    bool m_withoutAccents;
};

// Appends the key of `text` to `out`, in UTF-16 units, at most twice the text's length; gives
// the number of units appended.
qsizetype append(QStringView text, Kind kind, char16_t* out);
QString of(QStringView text, Kind kind);

// Whether `text`'s key of that kind begins with `prefix`, a key of that kind.
bool beginsWith(QStringView text, QStringView prefix, Kind kind);

} // namespace MatchKey
