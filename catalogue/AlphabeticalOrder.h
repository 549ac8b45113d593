#pragma once

#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

// The order of the sorted drop-down lists: alphabetical, without regard to case or
// accents ("álcool" beside "Alcool", before "Bucha"); texts equal under that rule keep a
// fixed order by their exact characters. Its rule differs from LetterCase's on purpose: a
// list is read in alphabetical order, where an accent must not move a word away from its
// neighbours; a lookup matches text, where an accent makes another word.
namespace AlphabeticalOrder {

QString sortKey(const QString& text);
// The places of the texts in that order.
std::vector<quint32> order(const std::vector<QStringView>& texts);

// A part of a list put in order on its own, so that a long list can be sorted a part at a time
// while the rest is still being read. The texts must stay where they are while it is in use.
class SortedPart
{
public:
    explicit SortedPart(std::vector<QStringView> texts);

    size_t size() const;
    // The places of the part's texts in order.
    std::vector<quint32> places() const;

private:
    friend std::vector<quint32> merge(const std::vector<SortedPart>& parts);
    struct Sorted;
    std::shared_ptr<const Sorted> m_sorted;
};

// The order of the whole list the parts make end to end: the places order() gives it.
std::vector<quint32> merge(const std::vector<SortedPart>& parts);

} // namespace AlphabeticalOrder
