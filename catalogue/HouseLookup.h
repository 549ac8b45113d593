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
    // The entry of the reference list that the typed text was taken for, written with other
    // separators; empty when it was looked up as typed.
    QString entry;
    ProductRecord product;
};

// The reference is searched without its quotes, exactly as typed otherwise.
Found FindByReference(Catalogue& catalogue, const QString& typed);
// The description is searched trimmed, quotes and all.
ProductRecord FindByDescription(Catalogue& catalogue, const QString& typed);

} // namespace HouseLookup
