#include "ComboBox.h"

#include "OfferList.h"
#include "catalogue/lists/EntryPlace.h"
#include "catalogue/lists/MakeOffers.h"
#include "ui/platform/KeyCodes.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

// The entries as the list shows them, read from the shared texts only for the rows drawn: a
// box is filled before a long list's entries are made, and waits for them only to draw one.
class ComboBox::EntryModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    const BoxEntries& entries() const { return m_entries; }

    void setEntries(BoxEntries entries)
    {
        beginResetModel();
        m_entries = std::move(entries);
        // The box selects its first row on a reset, which the caller undoes at once: reading
        // that row would wait for entries still being sorted.
        m_resetting = true;
        endResetModel();
        m_resetting = false;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_entries.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (m_resetting || !index.isValid() || index.row() >= m_entries.size() ||
            (role != Qt::DisplayRole && role != Qt::EditRole))
            return QVariant();
        return m_entries.get()->at(index.row()).toString();
    }

private:
    BoxEntries m_entries;
    bool m_resetting = false;
};

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent), m_entries(new EntryModel(this))
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
    // Only the user's edits make offers; any other change of the text closes them.
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::offerFor);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text != m_offeredFor)
            closeOffer();
    });
}

ComboBox::~ComboBox()
{
    delete m_offerList;
}

void ComboBox::setEntries(const QStringList& entries)
{
    const BoxEntries made(CachedList(entries, {}), EntryRule::AsStored, false);
    setEntries(made, makeOffers(made.get(), m_offerMatch));
}

void ComboBox::setEntries(BoxEntries entries, std::shared_ptr<const Offers> offers)
{
    const QString text = currentText();
    const bool offerShown = isOfferShown();
    m_offers = std::move(offers);
    m_entries->setEntries(std::move(entries));
    setCurrentIndex(-1);
    setEditText(text);
    // An offer open on the old entries is made again from the new ones.
    if (offerShown)
        offerFor(text);
}

void ComboBox::clearEntries()
{
    m_offers.reset();
    closeOffer();
    m_entries->setEntries(BoxEntries());
    setCurrentIndex(-1);
    setEditText(QString());
}

QStringList ComboBox::entries() const
{
    const CachedList::Entries made = m_entries->entries().get();
    return made ? made->toStringList() : QStringList();
}

void ComboBox::setOfferMatch(OfferMatch match)
{
    if (match == m_offerMatch)
        return;
    m_offerMatch = match;
    closeOffer();
    m_offers.reset();
}

bool ComboBox::isOfferShown() const
{
    return m_offerList && m_offerList->isVisible();
}

void ComboBox::offerFor(const QString& typed)
{
    if (!m_offers || typed.size() < Offers::FewestTyped) {
        closeOffer();
        return;
    }
    m_offered = m_offers->find(typed, MostOffers);
    if (m_offered.empty()) {
        closeOffer();
        return;
    }
    QStringList texts;
    texts.reserve(qsizetype(m_offered.size()));
    const CachedList::Entries entries = m_entries->entries().get();
    for (const qsizetype row : m_offered)
        texts.append(entries->at(row).toString());
    if (!m_offerList) {
        m_offerList = new OfferList(this);
        connect(m_offerList, &OfferList::chosen, this, &ComboBox::chooseOffer);
    }
    m_offeredFor = typed;
    m_offerList->showOffers(texts);
}

void ComboBox::closeOffer()
{
    m_offeredFor.clear();
    m_offered.clear();
    if (m_offerList)
        m_offerList->hide();
}

void ComboBox::chooseOffer(int row)
{
    if (row < 0 || size_t(row) >= m_offered.size())
        return;
    const qsizetype entry = m_offered[size_t(row)];
    closeOffer();
    // As a choice from the list: the entry becomes the box's current one, so the arrow keys
    // step on from it.
    setCurrentIndex(int(entry));
    emit Click();
}

bool ComboBox::offerKey(QKeyEvent* event)
{
    if (!isOfferShown() || event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Down:
        m_offerList->highlightStep(1);
        return true;
    case Qt::Key_Up:
        m_offerList->highlightStep(-1);
        return true;
    case Qt::Key_Escape:
        closeOffer();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_offerList->highlighted() >= 0) {
            chooseOffer(m_offerList->highlighted());
            return true;
        }
        // Nothing highlighted: the offer goes and Enter is the box's as ever.
        closeOffer();
        return false;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        closeOffer();
        return false;
    default:
        return false;
    }
}

bool ComboBox::stepKey(QKeyEvent* event)
{
    // The other boxes keep the order their entries were added in, where a text has no place:
    // they step from their current entry.
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier) || !m_entries->entries().isSorted())
        return false;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        step = 1;
        break;
    default:
        return false;
    }
    const qsizetype row = stepFromShown(step);
    if (row >= 0 && row < count()) {
        setCurrentIndex(int(row));
        emit Click();
    }
    return true;
}

qsizetype ComboBox::stepFromShown(int step) const
{
    // The entry stepped to or chosen last stays the one shown among entries of the same text.
    const QString shown = currentText();
    if (currentIndex() >= 0 && itemText(currentIndex()) == shown)
        return currentIndex() + step;
    const CachedList::Entries entries = m_entries->entries().get();
    if (!entries)
        return -1;
    const EntryPlace place = EntryPlace::of(*entries, shown);
    return place.isEntry || step < 0 ? place.at + step : place.at;
}

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    if (offerKey(event)) {
        event->accept();
        return;
    }
    emit KeyDown(KeyCodes::fromQtKey(event->key()), KeyCodes::shiftState(event->modifiers()));
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(KeyCodes::Enter);
        event->accept();
        return;
    }
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    if (stepKey(event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ComboBox::wheelEvent(QWheelEvent* event)
{
    // Turning the wheel over a closed box would run a lookup per notch.
    event->ignore();
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    closeOffer();
    QComboBox::focusOutEvent(event);
}

void ComboBox::hideEvent(QHideEvent* event)
{
    closeOffer();
    QComboBox::hideEvent(event);
}

void ComboBox::showPopup()
{
    closeOffer();
    QComboBox::showPopup();
}
