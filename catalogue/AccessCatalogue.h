#pragma once
#include <QString>
#include <functional>
namespace AccessCatalogue {
// True when the file starts like a Jet 3 or Jet 4 database ("Standard Jet DB" at offset 4).
bool looksLikeAccess(const QByteArray& firstBytes);
// Path of an SQLite catalogue holding the Access file's six tables, converted on first use and
// kept in the user's cache directory keyed by the file's path, size and modification time, so
// reopening the unchanged file costs no more than opening an SQLite catalogue. Empty when the
// file cannot be read as a catalogue. `progress` (0-100) may be called during a conversion.
QString sqliteCopy(const QString& accessPath, const std::function<void(int)>& progress = {});
}
