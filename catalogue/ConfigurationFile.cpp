#include "ConfigurationFile.h"

#include "base/ProgramLocation.h"
#include "base/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ConfigurationFile {

QString path()
{
    return ProgramLocation::fileInDirectory(ProgramLocation::name() + QStringLiteral(".cfg"));
}

QString defaultDatabasePath()
{
    return ProgramLocation::fileInDirectory(ProgramLocation::name() + QStringLiteral(".kvl"));
}

std::optional<QString> readFirstLine(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError || content.isEmpty())
        return std::nullopt;
    qsizetype end = 0;
    while (end < content.size() && content.at(end) != '\r' && content.at(end) != '\n')
        ++end;
    return Windows1252::decode(content.left(end));
}

QString unstorableCharacters(const QString& text)
{
    QString unstorable;
    for (const QChar c : text) {
        if (Windows1252::code(c) < 0 && !unstorable.contains(c))
            unstorable.append(c);
    }
    return unstorable;
}

namespace {

bool failWith(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// Rewrites an existing file in its own place, for a folder where no file can be created
// beside it. The old content is kept in memory and written back when the new one fails.
bool writeInPlace(const QString& filePath, const QByteArray& bytes, QString* error)
{
    // Unbuffered, so that a short write shows at once and the old content can still go back.
    QFile file(filePath);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failWith(error, file.errorString());
    const QByteArray old = file.readAll();
    if (file.error() == QFileDevice::NoError && file.seek(0) && file.write(bytes) == bytes.size() &&
        file.resize(bytes.size()) && file.flush())
        return true;
    const QString why = file.errorString();
    if (file.seek(0) && file.write(old) == old.size())
        file.resize(old.size());
    file.flush();
    return failWith(error, why);
}

} // namespace

bool write(const QString& filePath, const QString& text, QString* error)
{
    if (!Windows1252::canEncode(text))
        return failWith(error,
                        QStringLiteral("the path holds characters the configuration file cannot store"));
    const QByteArray bytes = Windows1252::encode(text);
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (QFileInfo(filePath).isFile())
            return writeInPlace(filePath, bytes, error);
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
