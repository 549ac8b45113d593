#pragma once

#include "AccessNative.h"

#include <QString>

// The columns of a table definition as the library read them, checked once when the table is
// opened: a definition that disagrees with itself would have every row read with wrong
// values, so the table is refused instead.
namespace AccessTableDefinition {

// The bytes a value of Jet type `type` takes, or 0 for types of no one length (text, binary,
// memo, OLE) and for booleans, which live in the null mask.
int storedSize(int type);
// Whether `type` is a type code the reader reads: Jet 3 and Jet 4's, and the complex columns
// of ACE (attachments, multi-value and version-history columns), read as the library reads
// them, as the number that keys their values in tables of their own.
bool isKnownType(int type);

// Why the reader cannot read one of the table's columns, naming the first such column: a type
// it does not know (big integers among them) or a calculated column, whose value lies behind
// a header of its own. Empty when it can read them all, or when the definition cannot be read.
QString unreadableColumn(MdbHandle* mdb, MdbTableDef* table);

// True when column numbers are unique and lie inside a row's null mask (`mostColumns` bits),
// variable-column numbers are unique and below the definition's variable-column count (the
// most the table has had, deleted ones too), every type is known and has its own length, and
// no two fixed columns share a byte. Gaps in the numbers, which deleted columns leave, are sound.
bool isSound(MdbHandle* mdb, MdbTableDef* table, int mostColumns);

} // namespace AccessTableDefinition
