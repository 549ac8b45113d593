#include "frmSai.h"

#include "ui/platform/ShowPainted.h"
#include "ui_frmSai.h"

#include <QApplication>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

frmSai::frmSai(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint), ui(std::make_unique<Ui::frmSai>()),
      tmrTimer(new QTimer(this)), m_progress(nullptr)
{
    ui->setupUi(this);
    // A notice: the window the user works in keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_progress = new QProgressBar(ui->Frame2);
    m_progress->setObjectName(QStringLiteral("prgConversao"));
    m_progress->setGeometry(8, 52, 321, 5);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->hide();
    tmrTimer->setObjectName(QStringLiteral("tmrTimer"));
    tmrTimer->setInterval(1000);
    connect(tmrTimer, &QTimer::timeout, this, &frmSai::tmrTimer_Timer);
    tmrTimer->start();
}

frmSai::~frmSai() = default;

void frmSai::showNow()
{
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
            hide();
        m_shownForProgress = false;
        return;
    }
    // The bar first: showing the window lets events through, and it must show whole.
    m_progress->setValue(percent);
    m_progress->show();
    if (isHidden()) {
        m_shownForProgress = true;
        showNow();
    }
}
