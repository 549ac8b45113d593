#include "DesktopPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

PlatformBackend::Answer DesktopPlatform::messageBox(QWidget* parent, const QString& text, Buttons buttons,
                                                    const QString& title)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationDisplayName() : title);
    box.setText(text);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int chosen = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return chosen == QMessageBox::Yes ? Answer::Yes : Answer::No;
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
