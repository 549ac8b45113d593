#include "AccessCopyUse.h"

#include "AccessCopyLock.h"

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

} // namespace

AccessCopyUse::AccessCopyUse() = default;
AccessCopyUse::AccessCopyUse(AccessCopyUse&&) noexcept = default;
AccessCopyUse& AccessCopyUse::operator=(AccessCopyUse&&) noexcept = default;
AccessCopyUse::~AccessCopyUse() = default;

AccessCopyUse AccessCopyUse::take(const QString& copyPath)
{
    // Without the guard, say when a program that hangs holds it, the mark is still worth having.
    const std::unique_ptr<QLockFile> held = guard(copyPath, kGuardWaitMs);
    AccessCopyUse use;
    use.m_lock =
        AccessCopyLock::take(copyPath + kMarkInfix +
                             QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
                             kLockSuffix);
    return use;
}

void AccessCopyUse::release()
{
    m_lock.reset();
}

std::unique_ptr<QLockFile> AccessCopyUse::guard(const QString& copyPath, int waitMs)
{
    return AccessCopyLock::take(copyPath + kLockSuffix, waitMs);
}

bool AccessCopyUse::isHeld(const QString& copyPath)
{
    const QFileInfo copy(copyPath);
    const QFileInfoList marks = copy.dir().entryInfoList(
        {copy.fileName() + kMarkInfix + QLatin1Char('*') + kLockSuffix}, QDir::Files | QDir::Hidden);
    bool held = false;
    for (const QFileInfo& mark : marks) {
        if (AccessCopyLock::isHeld(mark.filePath()))
            held = true;
    }
    return held;
}
