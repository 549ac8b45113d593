#include "SearchWindowFrame.h"

#include <QMdiArea>

SearchWindowFrame::SearchWindowFrame(QWidget* search, QMdiArea* area) : QMdiSubWindow(area)
{
    setWidget(search);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(search->windowIcon());
    // The window is laid out by its design, without a layout to hint its size.
    m_designSize = search->size().grownBy(contentsMargins());
    resize(m_designSize);
}
