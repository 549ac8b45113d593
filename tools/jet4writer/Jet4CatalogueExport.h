#pragma once

#include "Jet4AgileEncryption.h"
#include "Jet4FileFormat.h"

#include <QString>
#include <cstdint>

// Converts an SQLite catalogue into a Jet 4 or ACE 12 file: every table with its rows in order,
// whole numbers as long integers, reals as doubles, text as text (memo when a value is longer
// than a text column holds) and blobs as OLE values.
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

using Format = Jet4FileFormat;

// The file to write.
struct Target
{
    Format format = Format::Jet4;
    // Jet 4: a non-zero key writes RC4-encoded pages.
    std::uint32_t encodingKey = 0;
    // ACE: a password encrypts the file with Office agile encryption, under fresh random secrets.
    QString password;
    int spinCount = Jet4AgileEncryption::kSpinCount;
};

bool convert(const QString& sqlitePath, const QString& accessPath, const Target& target, QString* error,
             Shape shape = Shape::Fresh);
// A Jet 4 file.
bool convert(const QString& sqlitePath, const QString& accessPath, std::uint32_t encodingKey, QString* error,
             Shape shape = Shape::Fresh);

} // namespace Jet4CatalogueExport
