#include "AccessCopyLock.h"

#include <QLockFile>

namespace AccessCopyLock {

std::unique_ptr<QLockFile> take(const QString& path, int waitMs)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock->tryLock(waitMs) ? std::move(lock) : nullptr;
}

bool isHeld(const QString& path)
{
    // Taken and given back at once: a lock left by a program that has ended goes with it.
    return take(path) == nullptr;
}

} // namespace AccessCopyLock
