#pragma once

#include <QByteArray>

// What the first bytes of a file say it is: an SQLite catalogue, or an Access-format (Jet 3,
// Jet 4 or ACE) one that the import program converts.
namespace CatalogueSignature {

// Enough of the file's start to tell.
constexpr int kHeadSize = 100;

// "SQLite format 3" and its terminating zero at the start.
bool isSqlite(const QByteArray& firstBytes);
// "Standard Jet DB" (.mdb) or "Standard ACE DB" (.accdb) at offset 4.
bool isAccess(const QByteArray& firstBytes);

} // namespace CatalogueSignature
