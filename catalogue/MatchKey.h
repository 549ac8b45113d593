#pragma once

#include <QString>
#include <QStringView>

// The one key by which typed text and list entries are matched, by the offers while the user
// types and by the lookups of a whole entry: every letter folded as the lookups ignore case
// (LetterCase, character by character, those beyond the first plane too), and for references
// without the separators that people type differently from the catalogue (blanks, "-", ".",
// "/" and "_").
namespace MatchKey {

enum class Kind
{
    LetterCase,              // every letter folded; accents and all else count
    LetterCaseAndSeparators, // folded, and without the separators
};

bool isSeparator(char32_t character);

// The characters of a text's key, one at a time, read straight from the text: a list of a
// million entries is keyed without a string made for each.
class Characters
{
public:
    Characters(QStringView text, Kind kind)
        : m_text(text), m_withoutSeparators(kind == Kind::LetterCaseAndSeparators)
    {
    }

    // False at the end of the key.
    bool next(char32_t* character);

private:
    QStringView m_text;
    qsizetype m_at = 0;
    bool m_withoutSeparators;
};

// Appends the key of `text` to `out`, in UTF-16 units, at most twice the text's length; gives
// the number of units appended.
qsizetype append(QStringView text, Kind kind, char16_t* out);
QString of(QStringView text, Kind kind);

// Whether `text`'s folded form begins with `foldedPrefix`.
bool beginsWithFolded(QStringView text, QStringView foldedPrefix);

} // namespace MatchKey
