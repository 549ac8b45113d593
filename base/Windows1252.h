#pragma once

#include <QByteArray>
#include <QString>

// The catalogue's single-byte character set. Codes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no
// character of their own and map to the C1 control of the same number, as the Windows
// conversion functions do, so that every byte decodes and encodes back to itself.
namespace Windows1252 {

// The code of a character, or -1 when the character set has none for it.
int code(QChar c);
QChar character(unsigned char code);

QString decode(const QByteArray& bytes);
// Characters without a code become '?'.
QByteArray encode(const QString& text);
// True when every character of the text has a code.
bool canEncode(const QString& text);

} // namespace Windows1252
