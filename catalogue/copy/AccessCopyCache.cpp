#include "AccessCopyCache.h"

#include "AccessCopyLock.h"
#include "AccessCopyUse.h"
#include "Connection.h"
#include "ImportProgram.h"
#include "SqliteStatement.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLatin1String kTemporaryMark(".part-");
const QLatin1String kLockSuffix(".lock");
const QLatin1String kListsSuffix(".lists");
// A copy is named access-<hash of the file's path>-<hash of its size and time>.sqlite, each
// hash 16 characters long.
const QString kHashPattern(16, QLatin1Char('?'));
const QString kCopyPattern = kHashPattern + QStringLiteral(".sqlite");
// A path is far shorter; a damaged record is not read whole.
constexpr qint64 kLongestRecord = 64 * 1024;

qint64 pragma(const Connection& connection, const char* name)
{
    SqliteStatement statement(connection.handle(), QByteArrayView(name));
    return statement.step() == SqliteStatement::Step::Row ? statement.integer(0) : -1;
}

// The entry itself, not what a link names, is a regular file.
bool isRegular(const QString& path)
{
    struct stat entry = {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0 && S_ISREG(entry.st_mode);
}

QString hashOf(const QString& text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString sourcePath(const QFileInfo& accessFile)
{
    const QString canonical = accessFile.canonicalFilePath();
    return canonical.isEmpty() ? accessFile.absoluteFilePath() : canonical;
}

QString pathPrefix(const QFileInfo& accessFile)
{
    return QStringLiteral("access-") + hashOf(sourcePath(accessFile)) + QLatin1Char('-');
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

QString listsPath(const QString& temporaryPath)
{
    return temporaryPath + kListsSuffix;
}

void removeAbandoned(const QString& directory)
{
    const QFileInfoList files = QDir(directory).entryInfoList(
        {QStringLiteral("access-*") + kTemporaryMark + QLatin1Char('*')}, QDir::Files | QDir::System);
    for (const QFileInfo& file : files) {
        QString part = file.filePath();
        if (!part.contains(kTemporaryMark))
            continue;
        for (const QLatin1String suffix : {kLockSuffix, kListsSuffix}) {
            if (part.endsWith(suffix))
                part.chop(suffix.size());
        }
        // Taken, the lock shows that no program converts into the file any more.
        if (AccessCopyLock::take(lockPath(part))) {
            QFile::remove(part);
            QFile::remove(listsPath(part));
        }
    }
}

bool isBeingConverted(const QString& copyPath)
{
    const QFileInfo copy(copyPath);
    const QFileInfoList parts =
        copy.dir().entryInfoList({copy.fileName() + kTemporaryMark + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo& file : parts) {
        const QString part = file.filePath();
        if (part.endsWith(kLockSuffix) || part.endsWith(kListsSuffix))
            continue;
        if (AccessCopyLock::isHeld(lockPath(part)))
            return true;
    }
    return false;
}

bool removeUnlessRegular(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat entry = {};
    if (::lstat(name.constData(), &entry) != 0 || S_ISREG(entry.st_mode))
        return true;
    return (S_ISDIR(entry.st_mode) ? ::rmdir(name.constData()) : ::unlink(name.constData())) == 0;
}

bool isFinished(const QString& copyPath)
{
    if (!isRegular(copyPath))
        return false;
    Connection connection;
    // A copy cut short fails here too: SQLite finds fewer pages than its header counts.
    return connection.open(copyPath) &&
           pragma(connection, "PRAGMA user_version") == ImportProgram::kCopyLayoutVersion &&
           pragma(connection, "PRAGMA application_id") == ImportProgram::kCopyFinishedMark;
}

void removeStale(const QString& directory, const QFileInfo& accessFile, const QString& keep)
{
    // Only finished copies: another program may be converting the same file right now.
    const QFileInfoList files =
        QDir(directory).entryInfoList({pathPrefix(accessFile) + kCopyPattern}, QDir::Files);
    for (const QFileInfo& file : files) {
        if (file.filePath() != keep)
            removeUnlessInUse(file.filePath());
    }
}

QStringList copies(const QString& directory)
{
    QStringList paths;
    const QFileInfoList files = QDir(directory).entryInfoList(
        {QStringLiteral("access-") + kHashPattern + QLatin1Char('-') + kCopyPattern}, QDir::Files);
    for (const QFileInfo& file : files) {
        if (!file.isSymLink())
            paths.append(file.filePath());
        else
            removeUnlessRegular(file.filePath());
    }
    return paths;
}

QString sourceRecordPath(const QString& copyPath)
{
    return copyPath + QStringLiteral(".source");
}

void recordSource(const QString& copyPath, const QFileInfo& accessFile)
{
    const QString record = sourceRecordPath(copyPath);
    if (!removeUnlessRegular(record) || QFileInfo::exists(record))
        return;
    QSaveFile file(record);
    if (file.open(QIODevice::WriteOnly) && file.write(sourcePath(accessFile).toUtf8()) >= 0)
        file.commit();
}

QString recordedSource(const QString& copyPath)
{
    QFile file(sourceRecordPath(copyPath));
    if (!isRegular(file.fileName()) || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(kLongestRecord));
}

void markUsed(const QString& copyPath)
{
    // Opened for writing only to have its time set: nothing in it changes.
    QFile file(copyPath);
    if (isRegular(copyPath) && file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
}

std::unique_ptr<QLockFile> lockTemporary(const QString& temporaryPath)
{
    return AccessCopyLock::take(lockPath(temporaryPath));
}

bool removeUnlessInUse(const QString& copyPath)
{
    // A program marking the copy right now is as good as one that holds it.
    const std::unique_ptr<QLockFile> guard = AccessCopyUse::guard(copyPath, 0);
    if (!guard || AccessCopyUse::isHeld(copyPath))
        return false;
    if (!QFile::remove(copyPath))
        return false;
    QFile::remove(sourceRecordPath(copyPath));
    return true;
}

} // namespace AccessCopyCache
