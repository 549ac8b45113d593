#include "TypedWords.h"

#include "MatchKey.h"

#include <QList>

#include <algorithm>

TypedWords::TypedWords(QStringView typed)
{
    for (const QStringView word : typed.split(u' ', Qt::SkipEmptyParts))
        m_words.push_back(MatchKey::of(word, MatchKey::Kind::LetterCaseAndAccents));
    std::stable_sort(m_words.begin(), m_words.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

bool TypedWords::heldBy(QStringView key) const
{
    if (m_words.empty() || key.size() < m_words.front().size())
        return false;
    return std::all_of(m_words.begin(), m_words.end(),
                       [key](const QString& word) { return key.contains(word); });
}
