// Every control in reach of the keyboard: the photo, the drawing button and the two links
// after the design's tab order, and a shortcut each way between the two searches.

#include "ComboBox.h"
#include "Form2.h"
#include "ui_Form2.h"

#include <QAbstractItemView>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QShortcut>

namespace {

const QKeySequence ToComReferences(Qt::CTRL | Qt::Key_Down);
const QKeySequence ToCbxRef(Qt::CTRL | Qt::Key_Up);

} // namespace

void Form2::addKeyboardReach()
{
    // Tab reaches them after the design's last stop, in the order of their handlers; a click
    // leaves the focus where it was, as before.
    QWidget* previous = ui->comCompanies;
    for (QWidget* clickable : {static_cast<QWidget*>(ui->Picture1), static_cast<QWidget*>(ui->BtnDesenho),
                               static_cast<QWidget*>(ui->Image2), static_cast<QWidget*>(ui->LinkPrograma)}) {
        clickable->setFocusPolicy(Qt::TabFocus);
        setTabOrder(previous, clickable);
        previous = clickable;
    }
    // Pictures and a label draw no focus of their own: a frame around them does.
    m_focusFrame = new QFocusFrame(this);
    // Each window's own: several search windows share the main window.
    new QShortcut(ToComReferences, this, this, &Form2::GoToComReferences, Qt::WidgetWithChildrenShortcut);
    new QShortcut(ToCbxRef, this, this, &Form2::GoToCbxRef, Qt::WidgetWithChildrenShortcut);
}

bool Form2::isWindowShortcut(const QKeyEvent* key)
{
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    return pressed == ToComReferences || pressed == ToCbxRef;
}

bool Form2::clickableKey(QObject* watched, const QKeyEvent* key)
{
    const bool activates =
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
    if (!activates || !isClickable(watched) || (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    // A key held down opens its target once.
    if (!key->isAutoRepeat())
        clickOn(watched);
    return true;
}

void Form2::followFocus(QObject* watched, QEvent::Type type)
{
    if (type == QEvent::FocusIn && isClickable(watched))
        m_focusFrame->setWidget(static_cast<QWidget*>(watched));
    else if (type == QEvent::FocusOut && watched == m_focusFrame->widget())
        m_focusFrame->setWidget(nullptr);
}

void Form2::closeOpenList()
{
    // A box's own list left open would keep the keys from the box the shortcut reached.
    for (ComboBox* box : findChildren<ComboBox*>()) {
        if (box->view()->isVisible())
            box->hidePopup();
    }
}

void Form2::GoToComReferences()
{
    closeOpenList();
    ui->comReferences->setFocus(Qt::ShortcutFocusReason);
}

void Form2::GoToCbxRef()
{
    closeOpenList();
    ui->CbxRef->setFocus(Qt::ShortcutFocusReason);
}
