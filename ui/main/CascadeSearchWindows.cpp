#include "CascadeSearchWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

void CascadeSearchWindows(QMdiArea* area)
{
    area->cascadeSubWindows();
    const QRect within = area->viewport()->rect();
    for (QMdiSubWindow* window : area->subWindowList()) {
        if (window->isMinimized() || window->isHidden())
            continue;
        const QRect placed = window->geometry();
        const QSize room(within.right() - placed.left() + 1, within.bottom() - placed.top() + 1);
        QSize size = placed.size().boundedTo(room);
        // A window cut in height only takes its vertical scroll bar beside its design width, where
        // there is room, rather than a horizontal bar as well.
        if (size.height() < placed.height())
            size.setWidth(
                qMin(room.width(), size.width() + window->style()->pixelMetric(QStyle::PM_ScrollBarExtent,
                                                                               nullptr, window)));
        window->resize(size);
    }
}
