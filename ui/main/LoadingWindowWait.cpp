#include "LoadingWindowWait.h"

#include "catalogue/AccessImportProcess.h"
#include "frmSai.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>

namespace {

// Converting an Access catalogue can take a few seconds; once it has taken a quarter of a
// second the loading window shows how far it has come.
constexpr qint64 kProgressDelayMs = 250;

// Refuses the window system's requests to close a window.
class CloseRequestsRefused : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

LoadingWindowWait::LoadingWindowWait(std::function<frmSai*()> loadingWindow)
    : m_loadingWindow(std::move(loadingWindow))
{
    ImportWait::install(this);
}

LoadingWindowWait::~LoadingWindowWait()
{
    ImportWait::remove(this);
}

void LoadingWindowWait::waitFor(AccessImportProcess& import)
{
    QEventLoop wait;
    QElapsedTimer started;
    started.start();
    // The end shows once the conversion has ended, below.
    QObject::connect(&import, &AccessImportProcess::progressed, &wait, [&](int percent) {
        if (percent < 100 && started.elapsed() >= kProgressDelayMs)
            m_loadingWindow()->showProgress(percent);
    });
    QObject::connect(&import, &AccessImportProcess::ended, &wait, &QEventLoop::quit);

    CloseRequestsRefused closeRequests;
    QCoreApplication* application = QCoreApplication::instance();
    if (application)
        application->installEventFilter(&closeRequests);
    if (!import.hasEnded())
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (application)
        application->removeEventFilter(&closeRequests);

    // The wait also ends when the program is told to quit.
    import.stop();
    m_loadingWindow()->showProgress(100);
}
