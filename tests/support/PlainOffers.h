#pragma once

#include "catalogue/lists/CachedList.h"

#include <QStringView>

#include <vector>

// The offers for a typed text found the plain way, by reading every entry of the list in turn:
// what the offer indexes must give, and what they are timed against.
namespace PlainOffers {

// Entries whose text, case, accents and the separators " -./_'" aside, begins with the typed
// text; those that begin with it as typed (case aside) first, then the others, each in the
// list's order.
std::vector<qsizetype> references(const CachedList::Texts& entries, QStringView typed, int most);
// Entries holding every blank-separated typed word, case and accents aside, in the list's order.
std::vector<qsizetype> words(const CachedList::Texts& entries, QStringView typed, int most);

} // namespace PlainOffers
