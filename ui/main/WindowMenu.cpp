#include "WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

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
        QAction* action = m_menu->addAction(number + QLatin1Char(' ') + window->windowTitle());
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
