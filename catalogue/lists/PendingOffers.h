#pragma once

#include "BoxEntries.h"
#include "Offers.h"
#include "WorkPool.h"

#include <mutex>

// Offers of a long list made on a catalogue's pool, after its entries, so that the window shows
// its lists without waiting for them; the first keystroke that needs them waits for what is
// left. Offers whose making was cancelled with their catalogue are made by that keystroke instead.
class PendingOffers : public Offers
{
public:
    PendingOffers(BoxEntries entries, OfferMatch match, WorkPool& pool);

    std::vector<qsizetype> find(QStringView typed, int most) const override;
    qsizetype bytes() const override;

private:
    const Offers& made() const;

    BoxEntries m_entries;
    OfferMatch m_match;
    Job<std::shared_ptr<const Offers>> m_job;
    // Taken from the job, or made here, once: the first caller sets it under the flag.
    mutable std::once_flag m_taken;
    mutable std::shared_ptr<const Offers> m_offers;
};
