#pragma once

#include "CachedList.h"

#include <QString>
#include <QStringView>

#include <vector>

// The entries of a list that a whole typed text names, found through a hash table over the
// entries' keys instead of a pass over the list. Made once for a list and kept while that list
// is current.
class EntryIndex
{
public:
    enum class Key
    {
        LetterCase,              // every letter folded (LetterCase); accents and all else count
        LetterCaseAndSeparators, // folded, and without blanks, "-", ".", "/" and "_"
    };

    EntryIndex(CachedList::Entries entries, Key key);

    // The places (in the list's order) of the entries whose key is the text's key, in that
    // order. None for a text whose key is empty.
    std::vector<qsizetype> equal(QStringView text) const;
    // The texts of those entries, each once, in the list's order.
    QStringList equalTexts(QStringView text) const;

    const CachedList::Entries& entries() const { return m_entries; }
    Key key() const { return m_key; }
    // Memory held by the table, in bytes.
    qsizetype bytes() const;

    // The characters a reference is written with in several ways.
    static bool isSeparator(char32_t character);
    // The text's key: cleared, then written into `out`.
    static void keyOf(QStringView text, Key key, QString* out);

private:
    CachedList::Entries m_entries;
    Key m_key;
    std::vector<quint32> m_slots; // a place plus one; 0 is a free slot
    size_t m_mask = 0;
};
