#pragma once

#include "CachedList.h"

// The entries a drop-down box shows of a list. Their number is known at once; the entries
// themselves, which a long list makes on the catalogue's pool, are waited for only when one is
// shown, so a window shows its boxes without waiting for a sort.
class BoxEntries
{
public:
    BoxEntries() = default;
    BoxEntries(CachedList list, EntryRule rule, bool sorted);

    bool isNull() const { return !m_set; }
    qsizetype size() const { return m_set ? m_list.entryCount(m_rule) : 0; }
    // In alphabetical order (AlphabeticalOrder), rather than the list's.
    bool isSorted() const { return m_sorted; }
    // The entries, made here unless made already or being made elsewhere (then waited for);
    // null when the flag is set while they are made here.
    CachedList::Entries get(const CancelFlag& cancel = nullptr) const;
    const void* identity() const { return m_list.entriesIdentity(m_rule, m_sorted); }

private:
    CachedList m_list;
    EntryRule m_rule = EntryRule::AsStored;
    bool m_sorted = false;
    bool m_set = false;
};
