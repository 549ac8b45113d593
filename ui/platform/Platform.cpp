#include "Platform.h"

#include "DesktopPlatform.h"

namespace {

PlatformBackend*& installedBackend()
{
    static PlatformBackend* backend = nullptr;
    return backend;
}

PlatformBackend& backend()
{
    static DesktopPlatform desktop;
    PlatformBackend* installed = installedBackend();
    return installed ? *installed : desktop;
}

} // namespace

namespace Platform {

PlatformBackend::Answer messageBox(QWidget* parent, const QString& text, PlatformBackend::Buttons buttons,
                                   const QString& title, const QString& details)
{
    return backend().messageBox(parent, text, buttons, title, details);
}

QString openFileDialog(QWidget* parent, const PlatformBackend::FileDialogRequest& request)
{
    return backend().openFileDialog(parent, request);
}

void runViewer(const ViewerCommand& command)
{
    backend().runViewer(command);
}

void endProgram()
{
    backend().endProgram();
}

void notice(QWidget* parent, const QString& text)
{
    backend().notice(parent, text);
}

void setBackend(PlatformBackend* replacement)
{
    installedBackend() = replacement;
}

} // namespace Platform
