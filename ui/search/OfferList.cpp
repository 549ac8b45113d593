#include "OfferList.h"

#include <QStringListModel>

#include <algorithm>

OfferList::OfferList(QWidget* box) : QListView(box->window()), m_box(box), m_model(new QStringListModel(this))
{
    setObjectName(box->objectName() + QStringLiteral("Offers"));
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setModel(m_model);
    setFont(box->font());
    hide();
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { emit chosen(index.row()); });
}

void OfferList::showOffers(const QStringList& texts)
{
    // The box may have been moved into another window since.
    QWidget* host = m_box->window();
    if (parentWidget() != host) {
        setParent(host);
        hide();
    }
    m_model->setStringList(texts);
    highlight(-1);
    ensurePolished();
    const int rowHeight = std::max(sizeHintForRow(0), fontMetrics().height() + 2);
    const int height = rowHeight * int(texts.size()) + 2 * frameWidth();
    QPoint at = m_box->mapTo(host, QPoint(0, m_box->height()));
    const int above = m_box->mapTo(host, QPoint(0, 0)).y() - height;
    if (at.y() + height > host->height() && above >= 0)
        at.setY(above);
    setGeometry(QRect(at, QSize(m_box->width(), height)));
    raise();
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
