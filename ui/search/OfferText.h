#pragma once

#include <QString>
#include <QStringView>

// How typed text is compared with list entries while offers are made: letters without regard
// to case as the lookups ignore it (LetterCase), and for references without the separators that
// people type differently from the catalogue (blanks, "-", ".", "/" and "_").
namespace OfferText {

bool isSeparator(char16_t unit);
char16_t folded(char16_t unit);

// The text with every letter folded.
QString folded(QStringView text);
// The text folded and without separators: what a reference is matched by.
QString referenceKey(QStringView text);
// Appends the reference key of `text` to `out`; gives the number of units appended.
qsizetype appendReferenceKey(QStringView text, char16_t* out);

// Whether `text`, folded, begins with `foldedPrefix`.
bool beginsWithFolded(QStringView text, QStringView foldedPrefix);

} // namespace OfferText
