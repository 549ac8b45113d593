#pragma once

#include <QString>

#include <functional>

// Recognises a catalogue file by its first bytes and gives the SQLite database that serves
// it: an SQLite catalogue is used as it is; an Access-format (Jet 3 or Jet 4) catalogue is
// served by its converted copy; anything else is not a catalogue.
namespace CatalogueFile {

// Empty when the file is missing or not a catalogue the program can read.
QString sqlitePathFor(const QString& path);

// Told the progress (0 to 100) of a conversion that opening a catalogue starts; the
// windows use it to show that a long opening is under way.
void setProgressHandler(std::function<void(int)> handler);

} // namespace CatalogueFile
