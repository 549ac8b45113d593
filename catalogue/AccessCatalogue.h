#pragma once

#include <QString>

#include <memory>

class AccessConversion;
class AccessCopyUse;
class WorkPool;

namespace AccessCatalogue {

// Path of an SQLite catalogue holding the Access file's six tables, converted on first use and
// kept in the user's cache directory keyed by the file's path, size and modification time, so
// reopening the unchanged file costs no more than opening an SQLite catalogue. Empty when the
// file cannot be read as a catalogue, and then `failure`, when given, says why. The conversion
// is waited for as ImportWait says. Each call also clears the cache (AccessCopySweep). The copy
// is marked in use for as long as `use`, when given, holds it; without it, only for the call.
//
// With `unfinished`, a conversion may be handed over once the import has written the opening's
// lists: the path is then that of the copy to come, and the conversion goes on in *unfinished.
// With `sweepOn`, the cache is cleared in a job there, beside the opening, rather than before it.
QString sqliteCopy(const QString& accessPath, QString* failure = nullptr, AccessCopyUse* use = nullptr,
                   std::unique_ptr<AccessConversion>* unfinished = nullptr, WorkPool* sweepOn = nullptr);

} // namespace AccessCatalogue
