#pragma once

#include <QString>

// Recognises a catalogue file by its first bytes and gives the SQLite database that serves
// it: an SQLite catalogue is used as it is; anything else is not a catalogue.
namespace CatalogueFile {

// Empty when the file is missing or not a catalogue the program can read.
QString sqlitePathFor(const QString& path);

} // namespace CatalogueFile
