#include "ShowMainWindow.h"

#include "MDIForm1.h"

#include <QPointer>

namespace {

QPointer<MDIForm1>& mainWindow()
{
    static QPointer<MDIForm1> window;
    return window;
}

} // namespace

void ShowMainWindow()
{
    auto* window = new MDIForm1;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    mainWindow() = window;
    // The window loads before it shows: the user sees the loading window, then the main
    // window with its first search window, never an empty frame.
    window->MDIForm_Load();
    window->showMaximized();
}

MDIForm1* MainWindow()
{
    return mainWindow();
}
