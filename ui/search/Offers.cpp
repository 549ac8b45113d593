#include "Offers.h"

#include "PendingOffers.h"
#include "ReferenceOffers.h"
#include "WordOffers.h"

#include <map>
#include <utility>

namespace {

// Keyed by the entries themselves: an Offers keeps its entries alive, so a key in use is never
// the address of other entries.
using Key = std::pair<const CachedList::Texts*, OfferMatch>;

std::map<Key, std::weak_ptr<const Offers>>& made()
{
    static std::map<Key, std::weak_ptr<const Offers>> offers;
    return offers;
}

// Shorter lists are indexed sooner than a thread starts.
constexpr qsizetype kMadeApart = 20000;

std::shared_ptr<const Offers> make(const CachedList::Entries& entries, OfferMatch match)
{
    if (match == OfferMatch::Beginning)
        return std::make_shared<const ReferenceOffers>(entries);
    return std::make_shared<const WordOffers>(entries);
}

void forgetUnused()
{
    auto& offers = made();
    for (auto it = offers.begin(); it != offers.end();)
        it = it->second.expired() ? offers.erase(it) : std::next(it);
}

} // namespace

std::shared_ptr<const Offers> Offers::shared(const CachedList::Entries& entries, OfferMatch match)
{
    if (!entries || match == OfferMatch::None)
        return nullptr;
    forgetUnused();
    std::weak_ptr<const Offers>& slot = made()[Key(entries.get(), match)];
    if (std::shared_ptr<const Offers> alive = slot.lock())
        return alive;
    // The entries never change once made, so another thread can index them meanwhile.
    std::shared_ptr<const Offers> offers =
        entries->size() < kMadeApart
            ? make(entries, match)
            : std::make_shared<const PendingOffers>([entries, match] { return make(entries, match); });
    slot = offers;
    return offers;
}

qsizetype Offers::sharedBytes()
{
    qsizetype total = 0;
    for (const auto& entry : made()) {
        if (const std::shared_ptr<const Offers> alive = entry.second.lock())
            total += alive->bytes();
    }
    return total;
}
