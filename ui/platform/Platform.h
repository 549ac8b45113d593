#pragma once

#include "PlatformBackend.h"

// The one way into the desktop services; see PlatformBackend.
namespace Platform {

PlatformBackend::Answer messageBox(QWidget* parent, const QString& text,
                                   PlatformBackend::Buttons buttons = PlatformBackend::Buttons::Ok,
                                   const QString& title = QString(), const QString& details = QString());
QString openFileDialog(QWidget* parent, const PlatformBackend::FileDialogRequest& request);
void runViewer(const ViewerCommand& command);
void endProgram();
void notice(QWidget* parent, const QString& text);

// Puts another backend in place (not owned); nullptr brings back the desktop.
void setBackend(PlatformBackend* backend);

} // namespace Platform
