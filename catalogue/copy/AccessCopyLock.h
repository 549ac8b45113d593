#pragma once

#include <QString>

#include <memory>

class QLockFile;

// The one lock rule of the cache of converted copies: a lock is given up only with the program
// that holds it, never for its age, since a conversion of a large catalogue or a program reading
// a copy may hold one for as long as it runs.
namespace AccessCopyLock {

// The lock at `path`, waiting for it at most `waitMs`; null when another running program holds it
// (or it cannot be written).
std::unique_ptr<QLockFile> take(const QString& path, int waitMs = 0);
// Whether a running program holds the lock at `path` now.
bool isHeld(const QString& path);

} // namespace AccessCopyLock
