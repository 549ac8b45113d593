#pragma once

#include "Offers.h"

// The offers of these entries, made here and now: by beginning for references, by words for
// descriptions, none when the box offers nothing or has no entries.
std::shared_ptr<const Offers> makeOffers(CachedList::Entries entries, OfferMatch match);
