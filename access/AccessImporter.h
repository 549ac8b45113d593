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
// Fails, leaving a partial file for the caller to delete, when the file cannot be read, lacks
// a table or column the program needs at opening, or is damaged: fewer rows than its tables
// declare, or a value that cannot be read.
namespace AccessImporter {

bool convert(const QString& accessPath, const QString& sqlitePath, const std::function<void(int)>& progress,
             QString* error);

} // namespace AccessImporter
