#pragma once

#include <QString>

// Text values as Access files store them. Jet 4 keeps UCS-2, little-endian, or a compressed
// form that starts with FF FE and then alternates between runs of one-byte characters and
// runs of two-byte characters, a zero byte marking each switch. Jet 3 keeps single bytes in
// the Windows code page, Windows-1252 for the catalogue's language.
namespace AccessText {

// Decodes into `text`, whose storage is reused: no allocation once it is large enough. False
// for Jet 4 text that cannot be whole: an odd number of bytes of two-byte characters, or a
// compressed text that ends inside a character.
bool decode(const char* data, int size, bool jet3, QString& text);

} // namespace AccessText
