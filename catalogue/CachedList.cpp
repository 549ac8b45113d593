#include "CachedList.h"

#include "AlphabeticalOrder.h"
#include "ScrambleText.h"
#include "TextForms.h"

#include <QHash>

struct CachedList::EntryCache
{
    QHash<int, QStringList> byRule;
};

CachedList::CachedList()
    : m_cache(std::make_shared<EntryCache>())
{
}

CachedList::CachedList(QStringList values, std::vector<bool> nulls)
    : m_values(std::move(values))
    , m_nulls(std::move(nulls))
    , m_cache(std::make_shared<EntryCache>())
{
    m_nulls.resize(size_t(m_values.size()), false);
}

QStringList CachedList::entries(EntryRule rule, bool sorted) const
{
    const int key = int(rule) * 2 + (sorted ? 1 : 0);
    const auto found = m_cache->byRule.constFind(key);
    if (found != m_cache->byRule.constEnd())
        return found.value();

    QStringList shown;
    shown.reserve(m_values.size());
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        if (isNull(i)) {
            if (rule == EntryRule::Trimmed)
                shown.append(QString());
            continue;
        }
        switch (rule) {
        case EntryRule::AsStored: shown.append(m_values.at(i)); break;
        case EntryRule::Trimmed: shown.append(TextForms::trimBlanks(m_values.at(i))); break;
        case EntryRule::TrimmedAndScrambled: shown.append(ScrambleText(TextForms::trimBlanks(m_values.at(i)))); break;
        }
    }
    if (sorted)
        AlphabeticalOrder::sort(shown);
    m_cache->byRule.insert(key, shown);
    return shown;
}
