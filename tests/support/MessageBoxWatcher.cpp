#include "MessageBoxWatcher.h"

#include "RealDisplay.h"
#include "ui/platform/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <algorithm>

namespace {

QString withoutAccessMark(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(Qt::Key answer) : m_answer(answer)
{
    Platform::setBackend(nullptr);
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::look);
    m_timer.start();
}

MessageBoxWatcher::~MessageBoxWatcher() = default;

void MessageBoxWatcher::look()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || !box->windowHandle() || !box->windowHandle()->isExposed())
        return;
    m_timer.stop();
    answer(box);
    m_timer.start();
}

void MessageBoxWatcher::answer(QMessageBox* box)
{
    Seen what;
    if (RealDisplay::isRunning())
        what.active = QTest::qWaitForWindowActive(box);
    else
        what.active = QApplication::activeWindow() == box;
    what.title = box->windowTitle();
    what.windowName = RealDisplay::windowName(box);
    what.text = box->text();
    what.details = box->detailedText();
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton* a, QAbstractButton* b) {
        return a->mapTo(box, QPoint()).x() < b->mapTo(box, QPoint()).x();
    });
    for (QAbstractButton* button : buttons)
        what.buttons << withoutAccessMark(button->text());
    if (QPushButton* fallback = box->defaultButton())
        what.defaultButton = withoutAccessMark(fallback->text());
    seen.append(what);
    // Through the window, as the keyboard would.
    QTest::keyClick(box->windowHandle(), m_answer);
}
