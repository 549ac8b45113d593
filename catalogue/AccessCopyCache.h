#pragma once

#include <QFileInfo>
#include <QString>

// Where the SQLite copies of Access files live: the user's cache directory, one file per
// Access file named after its path, size and modification time, so that a changed file
// gets a new copy and an unchanged one finds its copy with a stat and an existence check.
// Copies are written under a temporary name and renamed when complete.
namespace AccessCopyCache {

// The cache directory, created if needed; empty when it cannot be.
QString directory();
QString copyPath(const QString& directory, const QFileInfo& accessFile);
// A name of its own for one conversion, next to the copy it will become.
QString temporaryPath(const QString& copyPath);
// Removes the older copies of the same Access file and abandoned temporary files.
void removeStale(const QString& directory, const QFileInfo& accessFile, const QString& keep);

} // namespace AccessCopyCache
