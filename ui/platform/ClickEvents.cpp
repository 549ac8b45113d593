#include "ClickEvents.h"

#include <QMouseEvent>

ClickEvents::Event ClickEvents::take(const QObject* control, const QMouseEvent& event, bool inside)
{
    Control& state = m_controls[control];
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        state.held = true;
        state.counted = false;
        state.heldSince = event.timestamp();
        return Event::None;
    case QEvent::MouseButtonDblClick:
        if (state.held && event.timestamp() == state.heldSince) {
            // The press of this double click was delivered as well: it becomes the double click.
            if (state.counted)
                return Event::None;
            state.counted = true;
            return Event::DblClick;
        }
        // A double-click notice older than the last release belongs to a press that was
        // released, and so counted as a click, already.
        if (state.released && event.timestamp() < state.lastRelease)
            return Event::None;
        // The double click stands for its press; a press held before it lost its release.
        state.held = true;
        state.counted = true;
        state.heldSince = event.timestamp();
        return Event::DblClick;
    case QEvent::MouseButtonRelease: {
        const bool click = state.held && !state.counted && inside;
        state.held = false;
        state.counted = false;
        state.released = true;
        state.lastRelease = event.timestamp();
        return click ? Event::Click : Event::None;
    }
    default:
        return Event::None;
    }
}
