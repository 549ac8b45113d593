#pragma once

#include <QMdiSubWindow>

class QMdiArea;

// The frame of a search window in the main window's area. Made inside the area, it knows its
// borders: it takes the window's design size before the area places it, and "Restore" gives it
// that size at that place. Arranged in cascade it keeps that size too.
class SearchWindowFrame : public QMdiSubWindow
{
    Q_OBJECT

public:
    SearchWindowFrame(QWidget* search, QMdiArea* area);

    QSize sizeHint() const override { return m_designSize; }

private:
    QSize m_designSize;
};
