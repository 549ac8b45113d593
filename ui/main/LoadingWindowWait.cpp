#include "LoadingWindowWait.h"

#include "catalogue/copy/AccessImportProcess.h"
#include "frmSai.h"
#include "ui/config/OpeningFailureDetails.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

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

void LoadingWindowWait::waitFor(AccessImportProcess& import, Until until)
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
    const bool listsWillDo = until == Until::ListsWritten;
    if (listsWillDo)
        QObject::connect(&import, &AccessImportProcess::listsReady, &wait, &QEventLoop::quit);
    const auto arrived = [&] { return import.hasEnded() || (listsWillDo && import.listsWritten()); };

    CloseRequestsRefused closeRequests;
    QCoreApplication* application = QCoreApplication::instance();
    if (application)
        application->installEventFilter(&closeRequests);
    if (!arrived())
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (application)
        application->removeEventFilter(&closeRequests);

    // The wait also ends when the program is told to quit.
    if (!arrived())
        import.stop();
    m_loadingWindow()->showProgress(100);
}

void LoadingWindowWait::waitWhile(const std::function<bool()>& busy)
{
    CloseRequestsRefused closeRequests;
    QCoreApplication* application = QCoreApplication::instance();
    if (application)
        application->installEventFilter(&closeRequests);
    QElapsedTimer started;
    started.start();
    while (busy()) {
        // How far the other program has come is not known here: the window shows it is busy.
        if (started.elapsed() >= kProgressDelayMs)
            m_loadingWindow()->showProgress(0);
        QEventLoop pause;
        QTimer::singleShot(int(kLookAgainMs), &pause, &QEventLoop::quit);
        // The wait also ends when the program is told to quit: no loop runs then.
        if (pause.exec(QEventLoop::ExcludeUserInputEvents) != 0)
            break;
    }
    if (application)
        application->removeEventFilter(&closeRequests);
}

void LoadingWindowWait::failedAfterOpening(const OpeningFailure& failure)
{
    OpeningFailureDetails::showOpenFailed(QApplication::activeWindow(), failure);
}
