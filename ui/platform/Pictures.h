#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, compiled in under the resource prefix /pictures.
namespace Pictures {

// The program's icon, for the main window and the search windows.
QIcon programIcon();
// The configuration dialog's icon.
QIcon dialogIcon();
// The picture of the configuration dialog's browse button.
QIcon browseIcon();

// The pointer over the clickable pictures; its hot spot is the middle of the lens.
QCursor magnifierCursor();
// The pointer over the link label; its hot spot is the tip of the finger.
QCursor handCursor();

// A picture by its file name, such as "header.jpg"; a null pixmap when there is none.
QPixmap picture(const QString& name);

} // namespace Pictures
