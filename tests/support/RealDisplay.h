#pragma once

#include <QImage>
#include <QList>
#include <QString>

class QWidget;

// What the window system itself holds about the program's windows, for the tests that run a
// second time on a real X server (tests/support/run-on-display.sh). A test tells that it
// runs there with isRunning(): Qt's platform is then "xcb", not "offscreen".
namespace RealDisplay {

bool isRunning();

// The title of the widget's window as the X server holds it (_NET_WM_NAME), which is what
// the window manager shows; empty when there is no real display.
QString windowName(const QWidget* widget);

// The pictures of the widget's window icon as the X server holds them (_NET_WM_ICON), which
// the window manager and task bar show; empty when there is no real display.
QList<QImage> windowIcons(const QWidget* widget);

// The widget's area as the X server shows it, read back from its window. Under Xvfb a grab
// of the root window can show pop-up lists and message boxes black: grab their own window.
QImage grab(const QWidget* widget);

// Waits until the window manager has activated the widget's window.
bool waitForActive(QWidget* widget, int timeoutMs = 5000);

} // namespace RealDisplay
