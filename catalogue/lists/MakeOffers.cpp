#include "MakeOffers.h"

#include "ReferenceOffers.h"
#include "WordOffers.h"

std::shared_ptr<const Offers> makeOffers(CachedList::Entries entries, OfferMatch match)
{
    if (!entries || match == OfferMatch::None)
        return nullptr;
    if (match == OfferMatch::Beginning)
        return std::make_shared<const ReferenceOffers>(std::move(entries));
    return std::make_shared<const WordOffers>(std::move(entries));
}
