#pragma once

#include <QString>
#include <cstdint>

// Converts an SQLite catalogue into a Jet 4 file: every table with its rows in order, whole
// numbers as long integers, reals as doubles, text as text (memo when a value is longer than
// a text column holds) and blobs as OLE values.
namespace Jet4CatalogueExport {

enum class Shape
{
    // As a fresh file holds the tables.
    Fresh,
    // The same rows as years of editing in Access leave them: two columns deleted before
    // the others (the definition counting the deleted variable one), rows deleted between
    // the others, rows moved to another page, slack bytes before rows' offsets, and rows
    // whose trailing nulls are columns added after they were written.
    Edited
};

bool convert(const QString& sqlitePath, const QString& accessPath, std::uint32_t encodingKey, QString* error,
             Shape shape = Shape::Fresh);

} // namespace Jet4CatalogueExport
