#include "AccessCopyCache.h"

#include "Connection.h"
#include "base/ImportProgram.h"
#include "base/SqliteStatement.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {

const QLatin1String kTemporaryMark(".part-");
const QLatin1String kLockSuffix(".lock");

// A conversion's lock is given up only with its program: never for its age.
bool takeLock(QLockFile& lock)
{
    lock.setStaleLockTime(0);
    return lock.tryLock(0);
}

qint64 pragma(const Connection& connection, const char* name)
{
    SqliteStatement statement(connection.handle(), QByteArrayView(name));
    return statement.step() == SqliteStatement::Step::Row ? statement.integer(0) : -1;
}

QString hashOf(const QString& text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString pathPrefix(const QFileInfo& accessFile)
{
    const QString canonical = accessFile.canonicalFilePath();
    return QStringLiteral("access-") +
           hashOf(canonical.isEmpty() ? accessFile.absoluteFilePath() : canonical) + QLatin1Char('-');
}

} // namespace

namespace AccessCopyCache {

QString directory()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    return path;
}

QString copyPath(const QString& directory, const QFileInfo& accessFile)
{
    const QString version = QString::number(accessFile.size()) + QLatin1Char(':') +
                            QString::number(accessFile.lastModified().toMSecsSinceEpoch());
    return QDir(directory).filePath(pathPrefix(accessFile) + hashOf(version) + QStringLiteral(".sqlite"));
}

QString temporaryPath(const QString& copyPath)
{
    return copyPath + QStringLiteral(".part-%1-%2")
                          .arg(QCoreApplication::applicationPid())
                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

QString lockPath(const QString& temporaryPath)
{
    return temporaryPath + kLockSuffix;
}

void removeAbandoned(const QString& directory, const QFileInfo& accessFile)
{
    const QFileInfoList files =
        QDir(directory).entryInfoList({pathPrefix(accessFile) + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo& file : files) {
        QString part = file.filePath();
        if (!part.contains(kTemporaryMark))
            continue;
        if (part.endsWith(kLockSuffix))
            part.chop(kLockSuffix.size());
        // Taken, the lock shows that no program converts into the file any more.
        QLockFile lock(lockPath(part));
        if (takeLock(lock)) {
            QFile::remove(part);
            lock.unlock();
        }
    }
}

bool isFinished(const QString& copyPath)
{
    Connection connection;
    // A copy cut short fails here too: SQLite finds fewer pages than its header counts.
    return connection.open(copyPath) &&
           pragma(connection, "PRAGMA user_version") == ImportProgram::kCopyLayoutVersion &&
           pragma(connection, "PRAGMA application_id") == ImportProgram::kCopyFinishedMark;
}

void removeStale(const QString& directory, const QFileInfo& accessFile, const QString& keep)
{
    QDir dir(directory);
    const QString keepName = QFileInfo(keep).fileName();
    const QFileInfoList files = dir.entryInfoList({pathPrefix(accessFile) + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo& file : files) {
        // Another program may be converting the same file right now: its files stay.
        if (file.fileName() != keepName && !file.fileName().contains(kTemporaryMark))
            QFile::remove(file.filePath());
    }
}

std::unique_ptr<QLockFile> lockTemporary(const QString& temporaryPath)
{
    auto lock = std::make_unique<QLockFile>(lockPath(temporaryPath));
    return takeLock(*lock) ? std::move(lock) : nullptr;
}

} // namespace AccessCopyCache
