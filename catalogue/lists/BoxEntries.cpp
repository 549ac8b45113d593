#include "BoxEntries.h"

BoxEntries::BoxEntries(CachedList list, EntryRule rule, bool sorted)
    : m_list(std::move(list)), m_rule(rule), m_sorted(sorted), m_set(true)
{
}

CachedList::Entries BoxEntries::get(const CancelFlag& cancel) const
{
    return m_set ? m_list.entries(m_rule, m_sorted, cancel) : nullptr;
}
