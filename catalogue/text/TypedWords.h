#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The words of a typed text, as descriptions, families and manufacturers are matched by them: the
// parts between blanks, each with letter case and accents aside (MatchKey). A text holds them
// when its key holds every one, in any order.
class TypedWords
{
public:
    explicit TypedWords(QStringView typed);

    bool isEmpty() const { return m_words.empty(); }
    // Whether a key made with letter case and accents aside holds every word.
    bool heldBy(QStringView key) const;

private:
    std::vector<QString> m_words; // the longest first: it rules out the most keys at the first test
};
