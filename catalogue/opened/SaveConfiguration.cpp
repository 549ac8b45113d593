#include "SaveConfiguration.h"

#include "ConfigurationFile.h"

#include <QDir>
#include <QFileInfo>

bool SaveConfiguration(const QString& configFile, const QString& databasePath, QString* error)
{
    // The user's configuration folder may have been removed while the program ran.
    if (configFile == ConfigurationFile::userPath())
        QDir().mkpath(QFileInfo(configFile).absolutePath());
    return ConfigurationFile::write(configFile, databasePath, error);
}
