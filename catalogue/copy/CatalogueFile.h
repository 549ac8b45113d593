#pragma once

#include "AccessCatalogue.h"
#include "OpeningFailure.h"

#include <QString>

class WorkPool;

// Recognises a catalogue file by its first bytes and gives the SQLite database that serves
// it: an SQLite catalogue is used as it is; an Access-format (Jet 3, Jet 4 or ACE) catalogue is
// served by its converted copy; anything else is not a catalogue.
namespace CatalogueFile {

struct Served
{
    // The SQLite database to open; empty when the file is missing or not a catalogue the program
    // can read, and then `failure` says why (its path left to the caller).
    QString path;
    OpeningFailure failure;
    // For an Access file: the mark that keeps its copy in the cache, and a conversion handed over
    // once its lists are written (AccessCatalogue::sqliteCopy).
    AccessCatalogue::Copy copy;
};

Served sqliteFileFor(const QString& path,
                     AccessCatalogue::CopyWait wait = AccessCatalogue::CopyWait::UntilWhole,
                     WorkPool* sweepOn = nullptr);

} // namespace CatalogueFile
