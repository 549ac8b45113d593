#include "OfferList.h"

#include <QScreen>
#include <QStringListModel>

#include <algorithm>

OfferList::OfferList(QWidget* box) : QListView(box), m_box(box), m_model(new QStringListModel(this))
{
    setObjectName(QStringLiteral("lstOffers"));
    // A window of its own, so that it may reach below the search window, shown without
    // taking the focus or activating it away from the box.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setModel(m_model);
    setFont(box->font());
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { emit chosen(index.row()); });
}

void OfferList::showOffers(const QStringList& texts)
{
    m_model->setStringList(texts);
    highlight(-1);
    ensurePolished();
    const int rowHeight = std::max(sizeHintForRow(0), fontMetrics().height() + 2);
    const int height = rowHeight * int(texts.size()) + 2 * frameWidth();
    QPoint at = m_box->mapToGlobal(QPoint(0, m_box->height()));
    if (const QScreen* screen = m_box->screen()) {
        const QRect area = screen->availableGeometry();
        const int above = m_box->mapToGlobal(QPoint(0, 0)).y() - height;
        if (at.y() + height > area.bottom() + 1 && above >= area.top())
            at.setY(above);
    }
    setGeometry(QRect(at, QSize(m_box->width(), height)));
    show();
}

QStringList OfferList::offers() const
{
    return m_model->stringList();
}

void OfferList::highlightStep(int step)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    highlight(std::clamp(m_highlighted + step, -1, rows - 1));
}

void OfferList::highlight(int row)
{
    m_highlighted = row;
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}
