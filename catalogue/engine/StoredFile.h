#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// A photo or attachment as the catalogue stores it: the first 30 characters hold the
// file-name extension padded with blanks, the rest is the file's content, a byte per
// character. A binary value is taken byte for byte; a text value is turned into bytes by
// Windows-1252.
namespace StoredFile {

constexpr int ExtensionLength = 30;

QByteArray bytes(const QVariant& value);
// The extension field with its blanks trimmed (the whole value when it is shorter).
QString extension(const QByteArray& stored);
// True for an extension that can end a file name in the program's directory: letters,
// digits, '_' and '-' only (or empty). Path separators, dots, drive marks and control
// characters could place or name the file elsewhere.
bool isPlainExtension(const QString& extension);

} // namespace StoredFile
