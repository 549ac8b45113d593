#pragma once

#include "AccessNative.h"

#include <QByteArray>

// The bytes of a memo or OLE value of the row on the current page, read whole with the
// library's long-value reader: kept inside the row, in one row of a long-value page, or in
// a chain of such rows. The chain is walked and checked first, so that a damaged file (a
// chain that loops, points past the file or outgrows the declared length) is reported
// instead of read.
namespace AccessLongValue {

// start, size: the value's 12-byte reference (and inline bytes) on the current page.
// `buffer` must hold two pages; it receives the pieces as they are read.
QByteArray read(MdbHandle* mdb, MdbColumn* column, int start, int size, char* buffer, bool* ok);

} // namespace AccessLongValue
