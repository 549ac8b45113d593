#include "ShowPainted.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// A window manager maps a new window within a frame or two; this is only a bound for a
// desktop that never says.
constexpr int kExposeLimitMs = 1000;

} // namespace

void showPainted(QWidget* window)
{
    window->show();
    window->raise();
    const QDeadlineTimer deadline(kExposeLimitMs);
    // Wakes the wait below at the deadline, should no window event come.
    QTimer::singleShot(kExposeLimitMs, window, [] {});
    QWindow* handle = window->windowHandle();
    while (handle && !handle->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    window->repaint();
    // Hands the painted picture to the window system.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
