#include "ProgramLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString& executableOverride()
{
    static QString path;
    return path;
}

QFileInfo executable()
{
    const QString& forced = executableOverride();
    return QFileInfo(forced.isEmpty() ? QCoreApplication::applicationFilePath() : forced);
}

} // namespace

namespace ProgramLocation {

QString directory()
{
    return QDir::toNativeSeparators(executable().absolutePath());
}

QString name()
{
    return executable().completeBaseName();
}

QString fileInDirectory(const QString& fileName)
{
    return QDir::toNativeSeparators(executable().absolutePath() + QLatin1Char('/') + fileName);
}

void setExecutableForTesting(const QString& executablePath)
{
    executableOverride() = executablePath;
}

} // namespace ProgramLocation
