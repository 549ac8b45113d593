#include "PendingOffers.h"

#include "MakeOffers.h"

PendingOffers::PendingOffers(BoxEntries entries, OfferMatch match, WorkPool& pool)
    : m_entries(std::move(entries)), m_match(match)
{
    m_job = pool.start(
        [entries = m_entries, match, cancel = pool.cancelFlag()]() -> std::shared_ptr<const Offers> {
            const CachedList::Entries made = entries.get(cancel);
            if (!made || isCancelled(cancel))
                return nullptr;
            return makeOffers(made, match);
        });
}

const Offers& PendingOffers::made() const
{
    std::call_once(m_taken, [this] {
        m_offers = m_job.take();
        if (!m_offers)
            m_offers = makeOffers(m_entries.get(), m_match);
    });
    return *m_offers;
}

std::vector<qsizetype> PendingOffers::find(QStringView typed, int most) const
{
    return made().find(typed, most);
}

qsizetype PendingOffers::bytes() const
{
    return made().bytes();
}
