#pragma once

#include "ui/platform/ViewerCommand.h"

#include <QString>

class QWidget;

// The desktop services the windows use: modal message boxes, the file-open dialog, the
// desktop shell and ending the program. The real desktop answers them normally; tests put
// a backend of their own in place that answers and records without blocking.
class PlatformBackend
{
public:
    enum class Buttons
    {
        Ok,
        YesNo
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    struct FileDialogRequest
    {
        QString defaultSuffix;
        QString initialDirectory;
        QString filter; // choices separated by ";;", the first chosen
        QString fileName;
    };

    virtual ~PlatformBackend() = default;

    // A modal box without icon. An empty title leaves the program's own title. Details, when
    // given, are shown on request under the text ("Mostrar detalhes…").
    virtual Answer messageBox(QWidget* parent, const QString& text, Buttons buttons, const QString& title,
                              const QString& details) = 0;
    // The chosen file's name, or empty text when the user cancelled.
    virtual QString openFileDialog(QWidget* parent, const FileDialogRequest& request) = 0;
    // Starts the viewer without waiting; its outcome is not looked at.
    virtual void runViewer(const ViewerCommand& command) = 0;
    // Ends the program at once, closing every window without questions.
    virtual void endProgram() = 0;
    // A word to the user that nothing waits for: in the status line of the main window that
    // holds `parent`, where it stays until the next.
    virtual void notice(QWidget* parent, const QString& text) = 0;
};
