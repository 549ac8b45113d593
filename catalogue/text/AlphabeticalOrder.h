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
// Below zero when `a` comes before `b` in that order, zero when they are the same text.
int compare(QStringView a, QStringView b);
// The places of the texts in that order.
std::vector<quint32> order(const std::vector<QStringView>& texts);

} // namespace AlphabeticalOrder
