#include "Main.h"

#include "QtTranslations.h"
#include "catalogue/ConfigurationFile.h"
#include "catalogue/Module1.h"
#include "ui/config/StartupMessages.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/platform/Fonts.h"

#include <QFileInfo>

namespace {

bool readOrCreateConfiguration(QString* why)
{
    Module1::ConfigFilePath = ConfigurationFile::path();
    if (QFileInfo::exists(Module1::ConfigFilePath)) {
        const std::optional<QString> path = ConfigurationFile::readFirstLine(Module1::ConfigFilePath, why);
        if (!path)
            return false;
        Module1::DatabasePath = *path;
        return true;
    }
    Module1::DatabasePath = ConfigurationFile::defaultDatabasePath();
    return ConfigurationFile::write(Module1::ConfigFilePath, Module1::DatabasePath, why);
}

} // namespace

bool Main()
{
    // No application display name: the window system would add it to every window's title.
    installFontSubstitutes();
    installQtTranslations();

    QString why;
    if (!readOrCreateConfiguration(&why)) {
        StartupMessages::showWriteFailure(nullptr, Module1::ConfigFilePath, why);
        return false;
    }

    ShowMainWindow();
    return true;
}
