#include "EntryIndex.h"

#include "MatchKey.h"

#include <QSet>

#include <algorithm>

namespace {

// FNV-1a over the key's characters, mixed at the end so that its low bits spread the keys.
// Gives 0 for an empty key, which is never looked up.
quint64 hashOf(QStringView text, EntryIndex::Key key)
{
    MatchKey::Characters characters(text, key);
    quint64 hash = 14695981039346656037ULL;
    char32_t c;
    bool any = false;
    while (characters.next(&c)) {
        hash = (hash ^ c) * 1099511628211ULL;
        any = true;
    }
    if (!any)
        return 0;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return hash | 1;
}

bool sameKey(QStringView entry, const std::u32string& key, EntryIndex::Key kind)
{
    MatchKey::Characters characters(entry, kind);
    char32_t c;
    for (const char32_t wanted : key) {
        if (!characters.next(&c) || c != wanted)
            return false;
    }
    return !characters.next(&c);
}

} // namespace

EntryIndex::EntryIndex(CachedList::Entries entries, Key key) : m_entries(std::move(entries)), m_key(key)
{
    const qsizetype count = m_entries ? m_entries->storedCount() : 0;
    // At most three slots in four taken, so that a search meets a free slot soon.
    size_t tableSize = 16;
    while (tableSize * 3 < size_t(count) * 4)
        tableSize *= 2;
    m_slots.assign(tableSize, 0);
    m_mask = tableSize - 1;

    // In the order of the buffer, which the memory holds them in.
    for (qsizetype stored = 0; stored < count; ++stored) {
        const quint64 hash = hashOf(m_entries->stored(stored), m_key);
        if (hash == 0)
            continue;
        size_t slot = size_t(hash) & m_mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & m_mask;
        m_slots[slot] = quint32(stored + 1);
    }
}

QStringList EntryIndex::equalTexts(QStringView text) const
{
    QStringList texts;
    const quint64 hash = hashOf(text, m_key);
    if (hash == 0)
        return texts;
    std::u32string wanted;
    MatchKey::Characters characters(text, m_key);
    for (char32_t c; characters.next(&c);)
        wanted.push_back(c);
    std::vector<qsizetype> found;
    for (size_t slot = size_t(hash) & m_mask; m_slots[slot] != 0; slot = (slot + 1) & m_mask) {
        const qsizetype stored = qsizetype(m_slots[slot]) - 1;
        if (sameKey(m_entries->stored(stored), wanted, m_key))
            found.push_back(stored);
    }
    std::sort(found.begin(), found.end());
    QSet<QString> seen;
    for (const qsizetype stored : found) {
        const QString entry = m_entries->stored(stored).toString();
        if (!seen.contains(entry)) {
            seen.insert(entry);
            texts.append(entry);
        }
    }
    return texts;
}
