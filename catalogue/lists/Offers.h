#pragma once

#include "CachedList.h"

#include <QStringView>

#include <memory>
#include <vector>

// How a box offers entries while the user types.
enum class OfferMatch
{
    None,
    Beginning, // entries that begin with the typed text, case and separators aside (references)
    Words,     // entries that hold every typed word, in any order, case aside (descriptions)
};

// The entries of one list that match a typed text, found without a pass over the whole list.
// Made once for each list of entries and shared by every box that shows that list (Catalogue).
class Offers
{
public:
    virtual ~Offers() = default;

    // A box offers entries from the second character typed: one character matches too many.
    static constexpr qsizetype FewestTyped = 2;

    // Places in the list's order (rows of the box) of at most `most` matching entries, the
    // best first.
    virtual std::vector<qsizetype> find(QStringView typed, int most) const = 0;
    // Memory held, in bytes.
    virtual qsizetype bytes() const = 0;
};
