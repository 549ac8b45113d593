#include "SaveConfiguration.h"

#include "ConfigurationFile.h"
#include "catalogue/Module1.h"

bool SaveConfiguration(QString* error)
{
    return ConfigurationFile::write(Module1::ConfigFilePath, Module1::DatabasePath, error);
}
