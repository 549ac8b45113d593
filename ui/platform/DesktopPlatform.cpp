#include "DesktopPlatform.h"

#include "LoadedForms.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The title of a box that has none of its own. It is not the application's display name,
// which the window system would append to the title of every window.
const QString kProgramTitle = QStringLiteral("Lumeo");

// The desktop theme's own caption of a standard button ("&Yes", or its translation).
QString standardCaption(QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox buttons(which);
    return buttons.button(which)->text();
}

} // namespace

PlatformBackend::Answer DesktopPlatform::messageBox(QWidget* parent, const QString& text, Buttons buttons,
                                                    const QString& title, const QString& details)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title.isEmpty() ? kProgramTitle : title);
    box.setText(text);
    box.setDetailedText(details);
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    // Themes order Yes and No buttons their own way (GNOME puts No first); buttons of the
    // action role keep the order they are added in on every theme, so Yes stays first.
    QPushButton* yes = box.addButton(standardCaption(QDialogButtonBox::Yes), QMessageBox::ActionRole);
    QPushButton* no = box.addButton(standardCaption(QDialogButtonBox::No), QMessageBox::ActionRole);
    yes->setObjectName(QStringLiteral("Yes"));
    no->setObjectName(QStringLiteral("No"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

QString DesktopPlatform::openFileDialog(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString suffix = request.defaultSuffix;
    dialog.setDefaultSuffix(suffix.remove(QStringLiteral("*.")));
    // A path that names a file starts the dialog in the folder that holds it.
    const QFileInfo initial(request.initialDirectory);
    dialog.setDirectory(initial.isDir() ? initial.absoluteFilePath() : initial.absolutePath());
    dialog.setNameFilter(request.filter);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void DesktopPlatform::runViewer(const ViewerCommand& command)
{
#ifdef Q_OS_WIN
    QProcess process;
    process.setProgram(QStringLiteral("explorer.exe"));
    process.setNativeArguments(command.commandLine().mid(QStringLiteral("explorer.exe ").size()));
    const bool maximised = command.window == ViewerCommand::Window::MaximisedWithFocus;
    process.setCreateProcessArgumentsModifier([maximised](QProcess::CreateProcessArguments* args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = maximised ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED;
    });
    process.startDetached();
#else
    // Other desktops choose the window of the program they start themselves.
    if (command.target.isEmpty())
        return;
    const QUrl url = QUrl(command.target);
    const bool web = url.isValid() && url.scheme().size() > 1 && !QFileInfo::exists(command.target);
    QDesktopServices::openUrl(web ? url : QUrl::fromLocalFile(command.target));
#endif
}

void DesktopPlatform::endProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

void DesktopPlatform::notice(QWidget* parent, const QString& text)
{
    auto* main = qobject_cast<QMainWindow*>(parent ? parent->window() : nullptr);
    for (QWidget* form : LoadedForms::all()) {
        if (!main)
            main = qobject_cast<QMainWindow*>(form);
    }
    if (!main)
        return;
    QStatusBar* line = main->statusBar();
    line->setObjectName(QStringLiteral("StatusBar"));
    line->showMessage(text);
}
