#pragma once

#include <QMdiSubWindow>
#include <QPointer>

class Form2;
class QMdiArea;
class QScrollArea;

// The frame of a search window in the main window's area. Made inside the area, it knows its
// borders: it takes the window's design size before the area places it, and "Restore" gives it
// that size at that place. Arranged in cascade it keeps that size too, as far as the area
// reaches. Made smaller than the design, it scrolls the window rather than cutting it off.
class SearchWindowFrame : public QMdiSubWindow
{
    Q_OBJECT

public:
    SearchWindowFrame(Form2* search, QMdiArea* area);

    Form2* search() const { return m_search; }
    QSize sizeHint() const override { return m_designSize; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showFocused(QWidget* focused);

    QPointer<Form2> m_search;
    QScrollArea* m_scroller;
    QSize m_designSize;
};
