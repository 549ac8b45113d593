#pragma once

#include "catalogue/CachedList.h"

#include <QComboBox>

// An editable drop-down combo box with the events the search window's handlers are
// written against:
//  - Click: the user chose an entry, with the mouse in the list or by stepping with the
//    Up and Down keys in the closed box; never raised by text or entries set by the program;
//  - KeyDown: every key pressed, with its virtual-key code and shift state;
//  - KeyPress: every character typed, with its character code (13 for Enter).
// Entries come from a model over a shared list of texts, so that a list of a million entries
// is set in one step and shared, not copied, between windows. Typing never adds an entry.
class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget* parent = nullptr);

    // Replaces the entries; the text in the box stays as it is and no entry is selected.
    void setEntries(const QStringList& entries);
    void setEntries(CachedList::Entries entries);
    // Removes the entries and empties the text.
    void clearEntries();
    QStringList entries() const;

signals:
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class EntryModel;

    EntryModel* m_entries;
};
