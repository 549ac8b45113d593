#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

// Where the SQLite copies of Access files live: the user's cache directory, one file per
// Access file named after its path, size and modification time, so that a changed file
// gets a new copy and an unchanged one finds its copy with a stat and an existence check.
// Copies are written under a temporary name, which the conversion holds locked while it runs,
// and renamed when complete.
namespace AccessCopyCache {

// The cache directory, created if needed; empty when it cannot be.
QString directory();
QString copyPath(const QString& directory, const QFileInfo& accessFile);
// A name of its own for one conversion, next to the copy it will become.
QString temporaryPath(const QString& copyPath);
// The lock a conversion holds on its temporary file while it runs; null when it cannot be had.
std::unique_ptr<QLockFile> lockTemporary(const QString& temporaryPath);
QString lockPath(const QString& temporaryPath);
// Where a conversion writes the lists the opening reads before the copy is finished.
QString listsPath(const QString& temporaryPath);
// Removes the temporary files, of any Access file, whose conversion no longer runs: a program
// killed while converting leaves a part copy as large as the copy.
void removeAbandoned(const QString& directory);
// True while a conversion into the copy runs, in this program or another: its temporary file's
// lock is held.
bool isBeingConverted(const QString& copyPath);
// True when the copy opens and its import marked it finished, in the layout of this program.
bool isFinished(const QString& copyPath);
// Nothing in the cache is ever followed through a link: an entry under one of its names that is
// not a regular file (a link, a directory, a pipe) is removed, never opened, and what a link
// named is left alone. False when such an entry is there still.
bool removeUnlessRegular(const QString& path);
// Removes the older copies of the same Access file that no program holds.
void removeStale(const QString& directory, const QFileInfo& accessFile, const QString& keep);
// Removes the copy and its source record unless a running program holds it, or marks it right
// now; true when removed.
bool removeUnlessInUse(const QString& copyPath);
// Every finished copy in the directory, of any Access file.
QStringList copies(const QString& directory);

// The name of a copy tells its Access file's path only as a hash: the path itself is kept in a
// small record beside the copy, so that a copy whose file is gone can be told.
QString sourceRecordPath(const QString& copyPath);
// Writes the record unless there is one.
void recordSource(const QString& copyPath, const QFileInfo& accessFile);
// Empty when the copy has no record (made before records were kept, or never written).
QString recordedSource(const QString& copyPath);
// The copy's modification time tells its last opening: opened read-only, its access time
// tells nothing sure.
void markUsed(const QString& copyPath);

} // namespace AccessCopyCache
