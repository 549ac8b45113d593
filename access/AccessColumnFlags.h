#pragma once

#include "AccessNative.h"

#include <QHash>

// The column flags the library does not keep: the second flags byte of each column's entry
// in a table definition, which Access 2010 and later set for calculated columns.
namespace AccessColumnFlags {

// A calculated column stores an expression's result behind a header of its own.
constexpr int kCalculated = 0xc0;

// The second flags byte of every column, by column number, read from the definition's
// pages as the library reads its entries; false when the pages end before the entries do.
bool readExtended(MdbHandle* mdb, MdbTableDef* table, QHash<int, int>* flags);

} // namespace AccessColumnFlags
