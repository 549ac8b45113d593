#include "ConfigurationFile.h"

#include "ProgramLocation.h"
#include "catalogue/Windows1252.h"

#include <QFile>
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

bool write(const QString& filePath, const QString& text, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!Windows1252::canEncode(text))
        return fail(QStringLiteral("the path holds characters the configuration file cannot store"));
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const QByteArray bytes = Windows1252::encode(text);
    // A short write (a full disk) shows only when the buffer is flushed: commit() alone
    // would put the shortened file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace ConfigurationFile
