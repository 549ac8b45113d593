#pragma once

#include <QString>

#include <optional>

// The one-line configuration file beside the program: the catalogue's path, in the
// desktop's single-byte character set (Windows-1252), written without a line end.
namespace ConfigurationFile {

// <program directory>/<program name>.cfg
QString path();
// <program directory>/<program name>.kvl
QString defaultDatabasePath();

// The first line, character for character (it ends at CR LF, LF or CR). Nothing when the
// file cannot be read or holds no line at all.
std::optional<QString> readFirstLine(const QString& filePath);

// The characters of the text that the file's character set cannot hold, each once, in the
// order they first appear; empty when the whole text can be stored.
QString unstorableCharacters(const QString& text);

// Replaces the file's content with the text alone. The new content is written beside the
// file and then put in its place, so a failure never leaves a truncated file; on failure
// `error` says why and the old file is untouched. Where the folder takes no new file but
// the file itself may be changed, the file is rewritten in place, and its old content put
// back if that fails. A text with characters the character set cannot hold is refused
// rather than saved altered.
bool write(const QString& filePath, const QString& text, QString* error = nullptr);

} // namespace ConfigurationFile
