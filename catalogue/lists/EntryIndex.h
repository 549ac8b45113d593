#pragma once

#include "CachedList.h"
#include "MatchKey.h"

#include <QString>
#include <QStringView>

#include <vector>

// The entries of a list that a whole typed text names, found through a hash table over the
// entries' keys instead of a pass over the list. Made once for a list and kept while that list
// is current.
class EntryIndex
{
public:
    // Whole entries match by the key the offers use.
    using Key = MatchKey::Kind;

    EntryIndex(CachedList::Entries entries, Key key);

    // The texts of the entries whose key is the text's key, each once, in the order the list
    // was read. None for a text whose key is empty.
    QStringList equalTexts(QStringView text) const;

    const CachedList::Entries& entries() const { return m_entries; }

private:
    CachedList::Entries m_entries;
    Key m_key;
    std::vector<quint32> m_slots; // an entry's place in the buffer plus one; 0 is a free slot
    size_t m_mask = 0;
};
