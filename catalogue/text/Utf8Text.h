#pragma once

#include <QByteArrayView>
#include <QChar>

// Texts as the engine hands them over, decoded to UTF-16 without a decoder set up for each:
// a list is a million short texts.
namespace Utf8Text {

// The UTF-16 form of `text`, as QString::fromUtf8 gives it, written at `out`, which has room
// for text.size() + 1 characters. Returns the end of what was written.
QChar* decodeInto(QByteArrayView text, QChar* out);

} // namespace Utf8Text
