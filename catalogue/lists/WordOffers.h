#pragma once

#include "Offers.h"

// Offers for a list of descriptions: the entries that hold every typed word, in any order, case
// and accents aside, in the list's order. The folded texts are kept end to end, so a keystroke reads
// them in one pass from the start and stops at the last offer.
class WordOffers : public Offers
{
public:
    explicit WordOffers(CachedList::Entries entries);

    std::vector<qsizetype> find(QStringView typed, int most) const override;
    qsizetype bytes() const override;

private:
    std::vector<quint32> m_ends;
    QString m_folded;
};
