#include "frmSai.h"

#include "ui_frmSai.h"

#include <QCoreApplication>
#include <QScreen>
#include <QTimer>

frmSai::frmSai(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint)
    , ui(std::make_unique<Ui::frmSai>())
    , tmrTimer(new QTimer(this))
{
    ui->setupUi(this);
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
    show();
    raise();
    repaint();
}

void frmSai::tmrTimer_Timer()
{
    QCoreApplication::processEvents();
}
