#pragma once

#include <QString>
#include <cstdint>

// Converts an SQLite catalogue into a Jet 4 file: every table with its rows in order, whole
// numbers as long integers, reals as doubles, text as text (memo when a value is longer than
// a text column holds) and blobs as OLE values.
namespace Jet4CatalogueExport {

bool convert(const QString& sqlitePath, const QString& accessPath, std::uint32_t encodingKey, QString* error);

} // namespace Jet4CatalogueExport
