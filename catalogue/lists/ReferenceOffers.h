#pragma once

#include "Offers.h"

// Offers for a list of references: the entries whose key (folded, separators and accents left out) begins
// with the typed text's key. Entries that begin with the typed text as typed, case aside, come
// first; each group in the list's order.
//
// The keys are grouped by their first two units, each group in the list's order, so that a
// keystroke reads only the group of what was typed.
class ReferenceOffers : public Offers
{
public:
    explicit ReferenceOffers(CachedList::Entries entries);

    std::vector<qsizetype> find(QStringView typed, int most) const override;
    qsizetype bytes() const override;

private:
    CachedList::Entries m_entries;
    std::vector<quint32> m_groupStart; // first slot of each group, and the end of the last
    std::vector<quint32> m_places;     // by slot: the entry's place in the list
    std::vector<quint32> m_keyEnds;    // by slot: where its key ends in m_keys
    std::vector<char16_t> m_keys;      // the keys end to end, by slot
};
