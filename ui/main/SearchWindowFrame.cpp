#include "SearchWindowFrame.h"

#include "ui/search/Form2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QScrollArea>

SearchWindowFrame::SearchWindowFrame(Form2* search, QMdiArea* area)
    : QMdiSubWindow(area), m_search(search), m_scroller(new QScrollArea)
{
    // The window is laid out by its design, without a layout to hint its size. At or above
    // that size it fills the frame as designed; below it, scroll bars reach every panel.
    const QSize design = search->size();
    search->setMinimumSize(design);
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setWidgetResizable(true);
    m_scroller->setWidget(search);
    m_scroller->setWindowTitle(search->windowTitle());
    setWidget(m_scroller);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(search->windowIcon());
    m_designSize = design.grownBy(contentsMargins());
    resize(m_designSize);
    // A control reached from the keyboard is scrolled into sight, whatever key reached it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { showFocused(now); });
}

void SearchWindowFrame::showFocused(QWidget* focused)
{
    if (focused && m_search && m_search->isAncestorOf(focused))
        m_scroller->ensureWidgetVisible(focused);
}

void SearchWindowFrame::closeEvent(QCloseEvent* event)
{
    // The search window closes with its frame, as it did as the frame's own widget.
    if (m_search && !m_search->close()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
