// Opening the photo, the drawing and the web links in the desktop's own programs.

#include "Form2.h"
#include "catalogue/opened/Module1.h"
#include "media/PreviewWriter.h"
#include "ui/platform/Platform.h"
#include "ui/platform/ViewerCommand.h"

void Form2::openPhotoPreview()
{
    if (PhotoPreviewPath.isEmpty())
        return;
    Platform::runViewer({PhotoPreviewPath, true, ViewerCommand::Window::MaximisedWithFocus});
}

void Form2::Picture1_Click()
{
    openPhotoPreview();
}

void Form2::Picture1_DblClick()
{
    openPhotoPreview();
}

void Form2::Frame1_Click()
{
    openPhotoPreview();
}

void Form2::Frame1_DblClick()
{
    openPhotoPreview();
}

void Form2::BtnDesenho_Click()
{
    const QString path = WriteAttachmentPreview(AttachmentData);
    Platform::runViewer({path, true, ViewerCommand::Window::MinimisedWithFocus});
    window()->showMinimized();
}

void Form2::Image2_Click()
{
    Platform::runViewer({CatalogueWebPage, false, ViewerCommand::Window::MinimisedWithFocus});
}

void Form2::LinkPrograma_Click()
{
    Platform::runViewer({Module1::Opened().LinkTarget, true, ViewerCommand::Window::MinimisedWithFocus});
}
