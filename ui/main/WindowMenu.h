#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

// The window menu of multiple-document programs: after its arranging commands, the open search
// windows, numbered in the order the area holds them, each named by what it shows, the active
// one checked; choosing one brings it forward. The list is made afresh each time the menu opens.
class WindowMenu : public QObject
{
    Q_OBJECT

public:
    WindowMenu(QMenu* menu, QMdiArea* area);

private:
    void listWindows();

    QMenu* m_menu;
    QMdiArea* m_area;
    QList<QAction*> m_listed;
};
