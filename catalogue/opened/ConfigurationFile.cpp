#include "ConfigurationFile.h"

#include "ProgramLocation.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace ConfigurationFile {

QString path()
{
    return ProgramLocation::fileInDirectory(ProgramLocation::name() + QStringLiteral(".cfg"));
}

QString defaultDatabasePath()
{
    return ProgramLocation::fileInDirectory(ProgramLocation::name() + QStringLiteral(".kvl"));
}

QString userPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty())
        return QString();
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + ProgramLocation::name() +
                                    QStringLiteral(".cfg"));
}

std::optional<QString> readFirstLine(const QString& filePath, QString* error)
{
    QFile file(filePath);
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError || content.isEmpty()) {
        if (error)
            *error = content.isEmpty() && file.error() == QFileDevice::NoError
                         ? QStringLiteral("o arquivo está vazio")
                         : file.errorString();
        return std::nullopt;
    }
    qsizetype end = 0;
    while (end < content.size() && content.at(end) != '\r' && content.at(end) != '\n')
        ++end;
    return Windows1252::decode(content.left(end));
}

QString unstorableCharacters(const QString& text)
{
    QString unstorable;
    for (const QChar c : text) {
        const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
        if ((lineBreak || Windows1252::code(c) < 0) && !unstorable.contains(c))
            unstorable.append(c);
    }
    return unstorable;
}

namespace {

std::function<StepOutcome(InPlaceStep)> inPlaceHook;

bool failWith(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// The error of making a file in the folder, 0 when one could be made (and removed again).
int newFileError(const QString& folder)
{
    QByteArray probe = QFile::encodeName(folder) + "/.lumeo-cfg-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(probe.constData());
    return 0;
}

// Whether no file can be made in the folder for lack of permission (not a full disk, a
// missing folder or any other fault, which the in-place save could only make worse).
bool folderRefusesNewFiles(const QString& filePath)
{
    const int error = newFileError(QFileInfo(filePath).absolutePath());
    return error == EACCES || error == EPERM;
}

// The save in place, one step at a time. The reader takes the first line only, so the new
// text followed by a line break is written over the start of the file and the rest cut off
// only after that is on disk: stopped anywhere, the file's first line is the old text or the
// new one. The room the new line needs is reserved first, so a full disk fails before a
// byte of the old text is overwritten.
class InPlaceSave
{
public:
    InPlaceSave(const QString& filePath, const QByteArray& text) : m_path(filePath), m_line(text + '\n') {}

    bool run(QString* error)
    {
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
        if (m_fd < 0)
            return failWith(error, QString::fromLocal8Bit(std::strerror(errno)));
        const bool saved =
            step(InPlaceStep::Read, [this] { return readOld(); }) &&
            step(InPlaceStep::EndOldLine, [this] { return endOldLine(); }) &&
            step(InPlaceStep::Reserve, [this] { return reserve(); }) &&
            step(InPlaceStep::WriteNew, [this] { return writeNew(); }) &&
            step(InPlaceStep::SyncNew, [this] { return ::fsync(m_fd) == 0; }) &&
            step(InPlaceStep::Cut, [this] { return ::ftruncate(m_fd, m_line.size() - 1) == 0; }) &&
            step(InPlaceStep::SyncCut, [this] { return ::fsync(m_fd) == 0; });
        const QString why = QString::fromLocal8Bit(std::strerror(m_errno));
        // Before the new line is written, what this save added past the old end goes again;
        // nothing is ever put back.
        if (!saved && !m_stopped && !m_written && m_size != m_oldSize)
            (void)::ftruncate(m_fd, m_oldSize);
        ::close(m_fd);
        return saved || failWith(error, m_stopped ? QStringLiteral("stopped") : why);
    }

private:
    template <typename Action> bool step(InPlaceStep which, Action action)
    {
        const StepOutcome outcome = inPlaceHook ? inPlaceHook(which) : StepOutcome::Proceed;
        m_stopped = outcome == StepOutcome::Stop;
        if (outcome == StepOutcome::Proceed && action())
            return true;
        m_errno = outcome == StepOutcome::Fail ? EIO : errno;
        return false;
    }

    // The old content must be read whole: the old line has to end before anything follows it.
    bool readOld()
    {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::pread(m_fd, buffer, sizeof buffer, m_oldSize)) > 0) {
            if (!m_oldHasLineEnd)
                m_oldHasLineEnd =
                    std::memchr(buffer, '\n', size_t(got)) || std::memchr(buffer, '\r', size_t(got));
            m_oldSize += got;
        }
        m_size = m_oldSize;
        return got == 0;
    }

    // A line break after the old text, so that what follows it is never read as part of it.
    bool endOldLine()
    {
        if (m_oldHasLineEnd || m_oldSize == 0)
            return true;
        m_size = m_oldSize + 1;
        return writeAll(QByteArray(1, '\n'), m_oldSize);
    }

    bool reserve()
    {
        if (m_line.size() <= m_size)
            return true;
        m_size = m_line.size();
        const int failed = ::posix_fallocate(m_fd, 0, m_line.size());
        errno = failed;
        return failed == 0;
    }

    bool writeNew()
    {
        m_written = true;
        return writeAll(m_line, 0);
    }

    bool writeAll(const QByteArray& bytes, off_t at)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t wrote =
                ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), at + done);
            if (wrote <= 0)
                return false;
            done += wrote;
        }
        return true;
    }

    QString m_path;
    QByteArray m_line;
    int m_fd = -1;
    off_t m_oldSize = 0;
    bool m_oldHasLineEnd = false;
    off_t m_size = 0;
    bool m_written = false;
    bool m_stopped = false;
    int m_errno = 0;
};

} // namespace

bool folderTakesNoFile(const QString& folder, QString* why)
{
    const int error = newFileError(folder);
    if (error != EACCES && error != EPERM && error != EROFS)
        return false;
    if (why)
        *why = QString::fromLocal8Bit(std::strerror(error));
    return true;
}

void setInPlaceHook(std::function<StepOutcome(InPlaceStep)> hook)
{
    inPlaceHook = std::move(hook);
}

bool write(const QString& filePath, const QString& text, QString* error)
{
    if (!unstorableCharacters(text).isEmpty())
        return failWith(error,
                        QStringLiteral("the path holds characters the configuration file cannot store"));
    const QByteArray bytes = Windows1252::encode(text);
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (QFileInfo(filePath).isFile() && folderRefusesNewFiles(filePath))
            return InPlaceSave(filePath, bytes).run(error);
        return failWith(error, file.errorString());
    }
    // A short write (a full disk) shows only when the buffer is flushed: commit() alone
    // would put the shortened file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failWith(error, file.errorString());
    if (!file.commit())
        return failWith(error, file.errorString());
    return true;
}

} // namespace ConfigurationFile
