#pragma once

#include <QStringList>

#include <memory>
#include <vector>

// How a list value becomes an entry of a drop-down list.
enum class EntryRule {
    AsStored,             // the value unchanged; null values left out
    Trimmed,              // leading and trailing blanks removed; a null value gives an empty entry
    TrimmedAndScrambled,  // trimmed, then passed through ScrambleText; null values left out
};

// The whole result of a one-column query, in result order; an element may be null.
// Copies share their data, and the entries derived from it for a drop-down list are made
// once and shared by every window that shows them.
class CachedList
{
public:
    CachedList();
    CachedList(QStringList values, std::vector<bool> nulls);

    qsizetype size() const { return m_values.size(); }
    bool isEmpty() const { return m_values.isEmpty(); }
    bool isNull(qsizetype i) const { return m_nulls[size_t(i)]; }
    const QString& at(qsizetype i) const { return m_values.at(i); }

    // The entries shown for this list, sorted alphabetically when `sorted` is set.
    QStringList entries(EntryRule rule, bool sorted) const;

private:
    struct EntryCache;

    QStringList m_values;
    std::vector<bool> m_nulls;
    std::shared_ptr<EntryCache> m_cache;
};
