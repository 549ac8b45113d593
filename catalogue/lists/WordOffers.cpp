#include "WordOffers.h"

#include "MatchKey.h"

#include <algorithm>

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
    std::vector<QString> words;
    for (const QStringView word : typed.split(u' ', Qt::SkipEmptyParts))
        words.push_back(MatchKey::of(word, MatchKey::Kind::LetterCaseAndAccents));
    if (words.empty() || most <= 0)
        return {};
    // The longest word first: it rules out the most entries at the first test.
    std::stable_sort(words.begin(), words.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });

    std::vector<qsizetype> found;
    const QStringView all(m_folded);
    for (size_t place = 0; place < m_ends.size(); ++place) {
        const quint32 start = place == 0 ? 0 : m_ends[place - 1];
        const QStringView text = all.mid(start, m_ends[place] - start);
        if (text.size() < words.front().size())
            continue;
        const bool holdsAll =
            std::all_of(words.begin(), words.end(), [&](const QString& word) { return text.contains(word); });
        if (!holdsAll)
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
