#include "ComboBox.h"

#include "ui/platform/KeyCodes.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

ComboBox::ComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_entries(new QStringListModel(this))
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
    const QString text = currentText();
    m_entries->setStringList(entries);
    setCurrentIndex(-1);
    setEditText(text);
}

void ComboBox::clearEntries()
{
    m_entries->setStringList({});
    setCurrentIndex(-1);
    setEditText(QString());
}

QStringList ComboBox::entries() const
{
    return m_entries->stringList();
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
