#pragma once

#include <QString>

// Letter case as the catalogue's lookups ignore it: upper and lower case of every letter are
// the same letter, accents and every other difference count.
namespace LetterCase {

// The one form of a character that all its cases share.
char32_t folded(char32_t character);

// A LIKE pattern that the engine's own LIKE, which folds only the 26 ASCII letters, can check
// through a catalogue index: every other character becomes the one-character wildcard. What
// the pattern matches, this one matches too, so it narrows the rows without losing any.
QString indexPattern(const QString& likePattern);

} // namespace LetterCase
