#pragma once

#include "PlatformBackend.h"

// The real desktop: QMessageBox, QFileDialog and the desktop shell.
class DesktopPlatform : public PlatformBackend
{
public:
    Answer messageBox(QWidget* parent, const QString& text, Buttons buttons, const QString& title,
                      const QString& details) override;
    QString openFileDialog(QWidget* parent, const FileDialogRequest& request) override;
    void runViewer(const ViewerCommand& command) override;
    void endProgram() override;
    void notice(QWidget* parent, const QString& text) override;
};
