#include "frmSai.h"

#include "ui/platform/ShowPainted.h"
#include "ui_frmSai.h"

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

// A bound for a desktop that never shows the window that follows a conversion.
constexpr int kHandOverLimitMs = 1000;

} // namespace

frmSai::frmSai(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint), ui(std::make_unique<Ui::frmSai>()),
      tmrTimer(new QTimer(this)), m_progress(nullptr), m_handOverLimit(new QTimer(this))
{
    ui->setupUi(this);
    // A notice: the window the user works in keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_progress = new QProgressBar(ui->Frame2);
    m_progress->setObjectName(QStringLiteral("prgConversao"));
    // Under the notice, clear of the window's bottom edge.
    m_progress->setGeometry(8, 51, 321, 4);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->hide();
    tmrTimer->setObjectName(QStringLiteral("tmrTimer"));
    tmrTimer->setInterval(1000);
    connect(tmrTimer, &QTimer::timeout, this, &frmSai::tmrTimer_Timer);
    tmrTimer->start();
    m_handOverLimit->setSingleShot(true);
    m_handOverLimit->setInterval(kHandOverLimitMs);
    connect(m_handOverLimit, &QTimer::timeout, this, [this] {
        stopHandOver();
        hide();
    });
}

frmSai::~frmSai() = default;

void frmSai::showNow()
{
    stopHandOver();
    if (const QScreen* screen = this->screen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QWidget* active = QApplication::activeWindow();
    showPainted(this);
    // Some platforms hand the activation to a window as it shows, whatever it asks: the
    // window the user works in takes it back at once.
    if (active && QApplication::activeWindow() != active) {
        active->activateWindow();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void frmSai::hideOnceShown(QWidget* next)
{
    stopHandOver();
    showPainted(next);
    hide();
}

void frmSai::tmrTimer_Timer()
{
    // Window events only: input that a wait holds back (a catalogue being converted) stays
    // held until the wait has ended.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSai::showProgress(int percent)
{
    if (percent >= 100) {
        m_progress->hide();
        if (m_shownForProgress)
            handOver();
        m_shownForProgress = false;
        return;
    }
    // The bar is in place before the window shows, so that it is painted with it.
    m_progress->setValue(percent);
    m_progress->show();
    if (isHidden() || m_handingOver) {
        m_shownForProgress = true;
        showNow();
    }
}

// The window stays until the work after the conversion is done (the lists read, a search
// window filled, a message box up) and another window of the program stands painted.
void frmSai::handOver()
{
    m_handingOver = true;
    QMetaObject::invokeMethod(this, &frmSai::finishHandOver, Qt::QueuedConnection);
}

bool frmSai::eventFilter(QObject* watched, QEvent* event)
{
    // A window of the program shows: it has painted once its exposure is handled.
    if (m_handingOver && event->type() == QEvent::Expose && watched != windowHandle())
        QMetaObject::invokeMethod(this, &frmSai::finishHandOver, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void frmSai::finishHandOver()
{
    if (!m_handingOver)
        return;
    if (!anotherWindowShown()) {
        // Waits for the next window to show, such as the message that the catalogue did
        // not open.
        if (!m_handOverLimit->isActive()) {
            QCoreApplication::instance()->installEventFilter(this);
            m_handOverLimit->start();
        }
        return;
    }
    // The windows already shown paint what changed meanwhile before the notice goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    stopHandOver();
    hide();
}

void frmSai::stopHandOver()
{
    if (!m_handingOver)
        return;
    m_handingOver = false;
    m_handOverLimit->stop();
    QCoreApplication::instance()->removeEventFilter(this);
}

bool frmSai::anotherWindowShown() const
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [this](const QWidget* window) {
        return window != this && window->isVisible() && window->windowHandle() &&
               window->windowHandle()->isExposed();
    });
}
