#include "ComboBox.h"

#include "ui/platform/KeyCodes.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

// The entries as the list shows them, read from the shared texts only for the rows drawn.
class ComboBox::EntryModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    const CachedList::Entries& entries() const { return m_entries; }

    void setEntries(CachedList::Entries entries)
    {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() || !m_entries ? 0 : int(m_entries->size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!m_entries || !index.isValid() || index.row() >= m_entries->size()
            || (role != Qt::DisplayRole && role != Qt::EditRole))
            return QVariant();
        return m_entries->at(index.row()).toString();
    }

private:
    CachedList::Entries m_entries;
};

ComboBox::ComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_entries(new EntryModel(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Measuring every entry to size the box would cost a pass over long lists.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMaxVisibleItems(8);
    auto* list = new QListView(this);
    list->setUniformItemSizes(true);
    setView(list);
    setModel(m_entries);
    // The line edit would otherwise select a matching entry, and report it as chosen, when
    // Enter is pressed or the focus leaves; a typed text is only ever a text here.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    connect(this, qOverload<int>(&QComboBox::activated), this, &ComboBox::Click);
}

void ComboBox::setEntries(const QStringList& entries)
{
    setEntries(CachedList(entries, {}).entries(EntryRule::AsStored, false));
}

void ComboBox::setEntries(CachedList::Entries entries)
{
    const QString text = currentText();
    m_entries->setEntries(std::move(entries));
    setCurrentIndex(-1);
    setEditText(text);
}

void ComboBox::clearEntries()
{
    m_entries->setEntries(nullptr);
    setCurrentIndex(-1);
    setEditText(QString());
}

QStringList ComboBox::entries() const
{
    return m_entries->entries() ? m_entries->entries()->toStringList() : QStringList();
}

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(KeyCodes::fromQtKey(event->key()), KeyCodes::shiftState(event->modifiers()));
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(KeyCodes::Enter);
        event->accept();
        return;
    }
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    QComboBox::keyPressEvent(event);
}

void ComboBox::wheelEvent(QWheelEvent* event)
{
    // Turning the wheel over a closed box would run a lookup per notch.
    event->ignore();
}
