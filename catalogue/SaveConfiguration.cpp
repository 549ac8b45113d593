#include "SaveConfiguration.h"

#include "ConfigurationFile.h"
#include "catalogue/Module1.h"

#include <QDir>
#include <QFileInfo>

bool SaveConfiguration(QString* error)
{
    // The user's configuration folder may have been removed while the program ran.
    if (Module1::ConfigFilePath == ConfigurationFile::userPath())
        QDir().mkpath(QFileInfo(Module1::ConfigFilePath).absolutePath());
    return ConfigurationFile::write(Module1::ConfigFilePath, Module1::DatabasePath, error);
}
