#include "Main.h"

#include "ConfigurationFile.h"
#include "QtTranslations.h"
#include "StartupMessages.h"
#include "catalogue/Module1.h"
#include "ui/main/MDIForm1.h"
#include "ui/platform/Fonts.h"

#include <QFileInfo>
#include <QPointer>

namespace {

QPointer<MDIForm1>& mainWindow()
{
    static QPointer<MDIForm1> window;
    return window;
}

bool readOrCreateConfiguration()
{
    Module1::ConfigFilePath = ConfigurationFile::path();
    if (QFileInfo::exists(Module1::ConfigFilePath)) {
        const std::optional<QString> path = ConfigurationFile::readFirstLine(Module1::ConfigFilePath);
        if (!path)
            return false;
        Module1::DatabasePath = *path;
        return true;
    }
    Module1::DatabasePath = ConfigurationFile::defaultDatabasePath();
    return ConfigurationFile::write(Module1::ConfigFilePath, Module1::DatabasePath);
}

} // namespace

bool Main()
{
    // No application display name: the window system would add it to every window's title.
    installFontSubstitutes();
    installQtTranslations();

    if (!readOrCreateConfiguration()) {
        StartupMessages::showWriteFailure(nullptr);
        return false;
    }

    auto* window = new MDIForm1;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    mainWindow() = window;
    // The window loads before it shows: the user sees the loading window, then the main
    // window with its first search window, never an empty frame.
    window->MDIForm_Load();
    window->showMaximized();
    return true;
}

MDIForm1* MainWindow()
{
    return mainWindow();
}
