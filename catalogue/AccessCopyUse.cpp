#include "AccessCopyUse.h"

#include "AccessCopyCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

namespace {

const QLatin1String kMarkInfix(".use-");
const QLatin1String kLockSuffix(".lock");
// Held only while a mark is written or a copy removed: a few milliseconds.
constexpr int kGuardWaitMs = 5000;

// A lock is given up only with its program: never for its age.
std::unique_ptr<QLockFile> lockOf(const QString& path, int waitMs)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock->tryLock(waitMs) ? std::move(lock) : nullptr;
}

std::unique_ptr<QLockFile> guardOf(const QString& copyPath, int waitMs)
{
    return lockOf(copyPath + kLockSuffix, waitMs);
}

// Taken, a program's mark shows that the program has ended; the mark then goes.
bool anyMarkHeld(const QString& copyPath)
{
    const QFileInfo copy(copyPath);
    const QFileInfoList marks = copy.dir().entryInfoList(
        {copy.fileName() + kMarkInfix + QLatin1Char('*') + kLockSuffix}, QDir::Files | QDir::Hidden);
    bool held = false;
    for (const QFileInfo& mark : marks) {
        if (!lockOf(mark.filePath(), 0))
            held = true;
    }
    return held;
}

} // namespace

AccessCopyUse::AccessCopyUse() = default;
AccessCopyUse::AccessCopyUse(AccessCopyUse&&) noexcept = default;
AccessCopyUse& AccessCopyUse::operator=(AccessCopyUse&&) noexcept = default;
AccessCopyUse::~AccessCopyUse() = default;

AccessCopyUse AccessCopyUse::take(const QString& copyPath)
{
    // Without the guard, say when a program that hangs holds it, the mark is still worth having.
    const std::unique_ptr<QLockFile> guard = guardOf(copyPath, kGuardWaitMs);
    AccessCopyUse use;
    use.m_lock = lockOf(copyPath + kMarkInfix +
                            QStringLiteral("%1-%2")
                                .arg(QCoreApplication::applicationPid())
                                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
                            kLockSuffix,
                        0);
    return use;
}

void AccessCopyUse::release()
{
    m_lock.reset();
}

bool AccessCopyUse::removeUnlessInUse(const QString& copyPath)
{
    // A program marking the copy right now is as good as one that holds it.
    const std::unique_ptr<QLockFile> guard = guardOf(copyPath, 0);
    if (!guard || anyMarkHeld(copyPath))
        return false;
    if (!QFile::remove(copyPath))
        return false;
    QFile::remove(AccessCopyCache::sourceRecordPath(copyPath));
    return true;
}
