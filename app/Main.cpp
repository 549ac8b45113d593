#include "Main.h"

#include "ConfigurationPlace.h"
#include "QtTranslations.h"
#include "base/ProgramLocation.h"
#include "catalogue/opened/ConfigurationFile.h"
#include "catalogue/opened/Module1.h"
#include "ui/config/StartupMessages.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/platform/Fonts.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool readOrCreateConfiguration(const ConfigurationPlace::Place& place, QString* why)
{
    Module1::ConfigFilePath = place.file;
    if (QFileInfo::exists(Module1::ConfigFilePath)) {
        const std::optional<QString> path = ConfigurationFile::readFirstLine(Module1::ConfigFilePath, why);
        if (!path)
            return false;
        Module1::DatabasePath = *path;
        return true;
    }
    Module1::DatabasePath = ConfigurationFile::defaultDatabasePath();
    // The user's configuration folder may not exist yet; a folder that cannot be made shows
    // as the write's own reason.
    if (!place.refusedBeside.isEmpty())
        QDir().mkpath(QFileInfo(Module1::ConfigFilePath).absolutePath());
    return ConfigurationFile::write(Module1::ConfigFilePath, Module1::DatabasePath, why);
}

} // namespace

bool Main()
{
    // No application display name: the window system would add it to every window's title.
    installFontSubstitutes();
    installQtTranslations();

    QString why;
    const ConfigurationPlace::Place place = ConfigurationPlace::find();
    if (!readOrCreateConfiguration(place, &why)) {
        StartupMessages::showWriteFailure(nullptr, Module1::ConfigFilePath, why, ProgramLocation::directory(),
                                          place.refusedBeside);
        return false;
    }

    ShowMainWindow();
    return true;
}
