#pragma once

#include <QString>
#include <functional>

// Copies the six catalogue tables of an Access file into a new SQLite file built with
// CatalogueSchema's statements: the tables, then every row in one transaction, then the
// indexes. Values keep their nulls, text its characters, numbers their kind; stored files
// (the FOTO columns) become blobs, taken byte for byte from binary columns and one byte per
// character (Windows-1252) from text columns. Table names are matched without regard to
// case, columns by name the same way, except the version table's first three, by position.
//
// With `listsPath`, the lists the opening of the copy reads (OpeningLists) are written there
// once the rows are in, before the indexes are built, and `listsWritten` is called; a file whose
// lists cannot be told so early gets none, and the conversion goes on all the same.
//
// Fails, leaving a partial file for the caller to delete, when the file cannot be read, lacks
// a table or column the program needs at opening, or is damaged: fewer rows than its tables
// declare, or a value that cannot be read.
namespace AccessImporter {

bool convert(const QString& accessPath, const QString& sqlitePath, const std::function<void(int)>& progress,
             QString* error, const QString& listsPath = QString(),
             const std::function<void()>& listsWritten = {});

} // namespace AccessImporter
