#pragma once

#include "BoxEntries.h"
#include "Offers.h"

#include <memory>

// What a drop-down box shows of a list: its entries, and what it offers while the user types.
struct BoxList
{
    BoxEntries entries;
    OfferMatch match = OfferMatch::None;
    std::shared_ptr<const Offers> offers; // none when the box offers nothing
};
