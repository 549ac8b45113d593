#pragma once

#include "catalogue/lists/BoxEntries.h"
#include "catalogue/lists/Offers.h"

#include <QComboBox>
#include <QPointer>

#include <memory>
#include <vector>

class OfferList;

// An editable drop-down combo box with the events the search window's handlers are
// written against:
//  - Click: the user chose an entry, with the mouse in the list or by stepping with the
//    Up and Down keys in the closed box; never raised by text or entries set by the program.
//    In a sorted box a step goes from the text shown, however it came there: to the next or
//    previous entry when it is an entry, else to the entry after or before the place it would
//    take in the list; nothing at the list's ends;
//  - KeyDown: every key pressed, with its virtual-key code and shift state;
//  - KeyPress: every character typed, with its character code (13 for Enter).
// Entries come from a model over a shared list of texts, so that a list of a million entries
// is set in one step and shared, not copied, between windows. Typing never adds an entry.
//
// A box may offer entries while the user types (setOfferMatch): from the second character
// typed, a list under the box shows up to twelve matching entries. The offer never changes the
// typed text; Down and Up move its highlight, Enter or a click on an offer chooses it as an
// entry chosen from the list is chosen (Click), Enter with nothing highlighted is an ordinary
// Enter, and Escape or the focus leaving closes it. With no offer shown, keys do what they
// always did. Texts set by the program never open an offer.
class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget* parent = nullptr);
    ~ComboBox() override;

    // Replaces the entries; the text in the box stays as it is and no entry is selected.
    void setEntries(const QStringList& entries);
    // With the offers made for these entries, for the box's kind of offer.
    void setEntries(BoxEntries entries, std::shared_ptr<const Offers> offers);
    // Removes the entries and empties the text.
    void clearEntries();
    QStringList entries() const;

    // What the box offers while the user types; none unless set. Set before the entries.
    void setOfferMatch(OfferMatch match);
    bool isOfferShown() const;
    static constexpr int MostOffers = 12;

    // Opening the box's own list closes the offer.
    void showPopup() override;

signals:
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class EntryModel;

    // Offers for what the user typed, or none.
    void offerFor(const QString& typed);
    void closeOffer();
    void chooseOffer(int row);
    // True when the key was the offer's to handle.
    bool offerKey(QKeyEvent* event);
    // True when the key was a step through a sorted box's list.
    bool stepKey(QKeyEvent* event);
    // The row a step of -1 or 1 goes to from the text shown; out of the rows past an end.
    qsizetype stepFromShown(int step) const;

    EntryModel* m_entries;
    OfferMatch m_offerMatch = OfferMatch::None;
    std::shared_ptr<const Offers> m_offers;
    QPointer<OfferList> m_offerList;  // lies in the window, which may go first
    std::vector<qsizetype> m_offered; // the rows shown in the offer
    QString m_offeredFor;
};
