#include "WindowMenu.h"

#include "SearchWindowFrame.h"
#include "ui/search/Form2.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace {

// The window's title, and the house reference it shows after an em dash; an "&" of the
// reference is shown, not taken as an access key.
QString whatItShows(const QMdiSubWindow* window)
{
    const auto* frame = qobject_cast<const SearchWindowFrame*>(window);
    const QString reference = frame && frame->search() ? frame->search()->shownReference() : QString();
    QString text = window->windowTitle();
    if (!reference.isEmpty())
        text += QStringLiteral(" \u2014 ") + reference;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

WindowMenu::WindowMenu(QMenu* menu, QMdiArea* area) : QObject(menu), m_menu(menu), m_area(area)
{
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::listWindows);
}

void WindowMenu::listWindows()
{
    qDeleteAll(m_listed);
    m_listed.clear();
    const QList<QMdiSubWindow*> windows = m_area->subWindowList();
    if (windows.isEmpty())
        return;
    m_listed.append(m_menu->addSeparator());
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows.at(i);
        // The first nine take their number as access key, as on every desktop.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction* action = m_menu->addAction(number + QLatin1Char(' ') + whatItShows(window));
        action->setCheckable(true);
        action->setChecked(window == m_area->activeSubWindow());
        connect(action, &QAction::triggered, m_area,
                [area = m_area, window = QPointer<QMdiSubWindow>(window)] {
                    if (window)
                        area->setActiveSubWindow(window);
                });
        m_listed.append(action);
    }
}
