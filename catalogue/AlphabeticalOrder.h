#pragma once

#include <QStringList>
#include <QStringView>

#include <vector>

// The order of the sorted drop-down lists: alphabetical, without regard to case or
// accents ("álcool" beside "Alcool", before "Bucha"); texts equal under that rule keep a
// fixed order by their exact characters.
namespace AlphabeticalOrder {

QString sortKey(const QString& text);
void sort(QStringList& texts);
// The places of the texts in that order.
std::vector<quint32> order(const std::vector<QStringView>& texts);

} // namespace AlphabeticalOrder
