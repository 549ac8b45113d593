#pragma once

#include <QtGlobal>

// The parts of SQLite's file format that an index entry is written with: its variable-length
// integers, and the serial types that say how each value of a record is stored.
namespace SqliteRecord {

constexpr quint32 kNullType = 0;
constexpr quint32 kRealType = 7;

int varintLength(quint64 value);
// A record header's length, given the length of the serial types it lists: the header
// starts with its own length.
quint64 headerLength(quint64 typesLength);
// Writes `value` at `out` and returns the number of bytes written (1 to 9).
int putVarint(char* out, quint64 value);

// The smallest integer type that holds `value`. Files of format 4 store 0 and 1 in the type
// alone, without any bytes of value.
quint32 integerType(qint64 value, bool smallConstants);
quint32 textType(quint32 bytes);
quint32 blobType(quint32 bytes);
// Bytes of value that a field of this type takes.
quint32 valueLength(quint32 serialType);
// Writes the integer's big-endian bytes for its type at `out`.
void putInteger(char* out, qint64 value, quint32 serialType);
void putReal(char* out, double value);

} // namespace SqliteRecord
