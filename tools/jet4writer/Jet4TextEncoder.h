#pragma once

#include <QByteArray>
#include <QString>

// Text as Jet 4 stores it: UCS-2, little-endian, or its compressed form (the marker FF FE,
// then runs of one-byte characters and runs of two-byte characters, each switch marked by
// a zero byte), which the engine uses whenever it is shorter.
namespace Jet4TextEncoder {

QByteArray encode(const QString& text, bool allowCompression);

} // namespace Jet4TextEncoder
