#pragma once

#include <QString>

// The reversible same-length scrambling of the cross-reference columns REFERENCE, COMPANY
// and Detalhes. Applying it twice gives the text back for every character whose
// Windows-1252 code lies outside 0-30 and 128-158; other characters (and characters
// outside Windows-1252) are kept unchanged when the scrambling defines no output for them.
QString ScrambleText(const QString& text);

// The same, written to `out`, which has room for text.size() characters: long lists are
// scrambled straight into their buffer.
void ScrambleTextInto(QStringView text, QChar* out);
