#pragma once

#include "OpeningFailure.h"

#include <QString>

#include <memory>

class AccessConversion;
class AccessCopyUse;
class WorkPool;

// Recognises a catalogue file by its first bytes and gives the SQLite database that serves
// it: an SQLite catalogue is used as it is; an Access-format (Jet 3 or Jet 4) catalogue is
// served by its converted copy; anything else is not a catalogue.
namespace CatalogueFile {

// Empty when the file is missing or not a catalogue the program can read; `failure` then says
// why (its path is left to the caller). A converted copy is marked in use while `use` holds it.
// With `unfinished`, a conversion may be handed over with only its lists written
// (AccessCatalogue::sqliteCopy), and the cache of converted copies cleared on `sweepOn`.
QString sqlitePathFor(const QString& path, OpeningFailure* failure, AccessCopyUse* use = nullptr,
                      std::unique_ptr<AccessConversion>* unfinished = nullptr, WorkPool* sweepOn = nullptr);

} // namespace CatalogueFile
