#pragma once

#include "AccessNative.h"

#include <QByteArray>

// The bytes of a memo or OLE value, read whole from its own 12-byte reference: the length
// word (its top byte telling where the bytes are) and the address of the first long-value
// row. The value lies inside the row, in one long-value row, or in a chain of them, each
// starting with the address of the next. Only these three kinds are read, and a chain is
// followed only while it stays exact: a row seen twice, a row that is not there, more
// bytes than declared or a chain that ends short is damage, reported instead of read.
namespace AccessLongValue {

// `reference`: the value's bytes in the row, `size` of them. A value too short to hold
// its reference reads as empty. False on damage; `value` then holds nothing of use.
bool read(MdbHandle* mdb, const unsigned char* reference, int size, QByteArray& value);

} // namespace AccessLongValue
