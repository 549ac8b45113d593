#pragma once

#include "AccessNative.h"

// The columns of a table definition as the library read them, checked once when the table is
// opened: a definition that disagrees with itself would have every row read with wrong
// values, so the table is refused instead.
namespace AccessTableDefinition {

// The bytes a value of Jet type `type` takes, or 0 for types of no one length (text, binary,
// memo, OLE) and for booleans, which live in the null mask.
int storedSize(int type);
// Whether `type` is a Jet 3 or Jet 4 type code.
bool isKnownType(int type);

// True when column numbers are unique and lie inside a row's null mask (`mostColumns` bits),
// variable-column numbers are unique and below the definition's variable-column count (the
// most the table has had, deleted ones too), every type is known and has its own length, and
// no two fixed columns share a byte. Gaps in the numbers, which deleted columns leave, are sound.
bool isSound(MdbHandle* mdb, MdbTableDef* table, int mostColumns);

} // namespace AccessTableDefinition
