#include "WordOffers.h"

#include "MatchKey.h"
#include "TypedWords.h"

WordOffers::WordOffers(CachedList::Entries entries)
{
    qsizetype units = 0;
    for (qsizetype place = 0; place < entries->size(); ++place)
        units += entries->at(place).size();
    m_folded.reserve(units);
    m_ends.reserve(size_t(entries->size()));
    for (qsizetype place = 0; place < entries->size(); ++place) {
        m_folded += MatchKey::of(entries->at(place), MatchKey::Kind::LetterCaseAndAccents);
        m_ends.push_back(quint32(m_folded.size()));
    }
}

std::vector<qsizetype> WordOffers::find(QStringView typed, int most) const
{
    const TypedWords words(typed);
    if (words.isEmpty() || most <= 0)
        return {};
    std::vector<qsizetype> found;
    const QStringView all(m_folded);
    for (size_t place = 0; place < m_ends.size(); ++place) {
        const quint32 start = place == 0 ? 0 : m_ends[place - 1];
        if (!words.heldBy(all.mid(start, m_ends[place] - start)))
            continue;
        found.push_back(qsizetype(place));
        if (found.size() >= size_t(most))
            break;
    }
    return found;
}

qsizetype WordOffers::bytes() const
{
    return qsizetype(m_ends.capacity() * sizeof(quint32) + size_t(m_folded.capacity()) * sizeof(QChar));
}
