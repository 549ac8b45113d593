#pragma once

#include <QListView>

class QStringListModel;

// The list of offers under a box while the user types, named after the box ("CbxRefOffers").
// It lies over the box's window, so that it is drawn above the frames around the box, and
// never takes the focus: the box keeps it, and steps the highlight with the arrow keys through
// highlightStep(). Nothing is highlighted when it opens.
class OfferList : public QListView
{
    Q_OBJECT

public:
    explicit OfferList(QWidget* box);

    // Shows these texts under the box (above it where the window ends below), nothing highlighted.
    void showOffers(const QStringList& texts);
    QStringList offers() const;
    // The highlighted row, or -1.
    int highlighted() const { return m_highlighted; }
    // Moves the highlight down (1) or up (-1); up from the first row leaves nothing highlighted.
    void highlightStep(int step);

signals:
    // A row clicked with the mouse.
    void chosen(int row);

private:
    void highlight(int row);

    QWidget* m_box;
    QStringListModel* m_model;
    int m_highlighted = -1;
};
