#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Marks a converted copy as open in this program, so that no program clearing the cache removes
// it meanwhile. Any number of programs may hold the same copy: each holds a lock of its own
// beside it, which ends with this object or with its program. Taking a mark and removing a copy
// both happen under a short lock of the copy's own, so a copy is never removed between a
// program's look for marks and the removal.
class AccessCopyUse
{
public:
    AccessCopyUse();
    AccessCopyUse(AccessCopyUse&&) noexcept;
    AccessCopyUse& operator=(AccessCopyUse&&) noexcept;
    ~AccessCopyUse();

    // Marks `copyPath` in use; holds nothing when no lock could be written beside it.
    static AccessCopyUse take(const QString& copyPath);
    bool holds() const { return m_lock != nullptr; }
    void release();

    // Whether a running program holds the copy; the marks of programs that have ended go.
    static bool isHeld(const QString& copyPath);
    // The copy's own short lock, under which marks are taken and a copy removed; null when
    // another program holds it for longer than `waitMs`.
    static std::unique_ptr<QLockFile> guard(const QString& copyPath, int waitMs);

private:
    std::unique_ptr<QLockFile> m_lock;
};
