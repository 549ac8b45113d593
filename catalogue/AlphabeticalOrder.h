#pragma once

#include <QStringList>

// The order of the sorted drop-down lists: alphabetical, without regard to case or
// accents ("álcool" beside "Alcool", before "Bucha"); texts equal under that rule keep a
// fixed order by their exact characters.
namespace AlphabeticalOrder {

QString sortKey(const QString& text);
void sort(QStringList& texts);

} // namespace AlphabeticalOrder
