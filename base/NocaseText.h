#pragma once

#include <QByteArrayView>

#include <cstddef>

// Equality of UTF-8 texts as SQLite's NOCASE collation has it: the same length, and the same
// bytes with only ASCII letters folded, up to a NUL at the same place in both, past which the
// engine compares nothing more.
namespace NocaseText {

// A byte as NOCASE compares it: only the ASCII capitals folded.
inline unsigned char folded(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

bool equal(QByteArrayView a, QByteArrayView b);
// The same for texts NOCASE holds equal.
size_t hash(QByteArrayView text);

// For hashed containers keyed by such texts.
struct Hash
{
    size_t operator()(QByteArrayView text) const { return hash(text); }
};
struct Equal
{
    bool operator()(QByteArrayView a, QByteArrayView b) const { return equal(a, b); }
};

} // namespace NocaseText
