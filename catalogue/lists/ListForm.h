#pragma once

#include "CachedList.h"
#include "ListKind.h"
#include "Offers.h"

// How each of the five lists becomes the entries of its box.
struct ListForm
{
    EntryRule rule;
    bool sorted;
    OfferMatch offers; // what the box offers while the user types
};

constexpr ListForm formOf(ListKind kind)
{
    switch (kind) {
    case ListKind::HouseReferences:
        return {EntryRule::AsStored, true, OfferMatch::Beginning};
    case ListKind::Descriptions:
        return {EntryRule::Trimmed, true, OfferMatch::Words};
    case ListKind::CompetitorReferences:
        return {EntryRule::TrimmedAndScrambled, true, OfferMatch::Beginning};
    case ListKind::Families:
        return {EntryRule::Trimmed, false, OfferMatch::Words};
    case ListKind::Manufacturers:
        break;
    }
    return {EntryRule::TrimmedAndScrambled, false, OfferMatch::Words};
}
