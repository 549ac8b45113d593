#include "CascadeSearchWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void CascadeSearchWindows(QMdiArea* area)
{
    area->cascadeSubWindows();
    const QRect within = area->viewport()->rect();
    for (QMdiSubWindow* window : area->subWindowList()) {
        if (window->isMinimized() || window->isHidden())
            continue;
        const QRect placed = window->geometry();
        const QSize room(within.right() - placed.left() + 1, within.bottom() - placed.top() + 1);
        window->resize(placed.size().boundedTo(room));
    }
}
