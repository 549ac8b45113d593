#pragma once

#include "ProductRecord.h"

#include <QString>

class Catalogue;

// The steps of the house catalogue lookups that the search window's handlers run: a product found
// by the beginning of its reference or by a part of its description, on the catalogue's connection.
// A query that cannot run gives a record that is not open, which the panel passes over.
namespace HouseLookup {

struct Found
{
    // The reference or description that the typed text was taken for, written with other
    // separators or accents; empty when it was looked up as typed.
    QString entry;
    ProductRecord product;
};

// The reference is searched without its quotes, exactly as typed otherwise; then as written,
// quotes and all; then as an entry of the reference list with letter case, separators and last
// accents aside.
Found FindByReference(Catalogue& catalogue, const QString& typed);
// The description is searched trimmed, quotes and all; then with letter case and accents aside;
// last, by every word of it so, in any order.
Found FindByDescription(Catalogue& catalogue, const QString& typed);

} // namespace HouseLookup
