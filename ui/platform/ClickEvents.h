#pragma once

#include <QHash>

class QMouseEvent;
class QObject;

// Turns the mouse events that controls receive into the click and double-click events of
// the windows' design: a double click is one click followed by one double click, whatever
// sequence of presses, releases and double-click events the platform delivers for it (Qt
// drops the second press in favour of a double-click event; other platforms deliver both,
// or the double click after the second release).
class ClickEvents
{
public:
    enum class Event
    {
        None,
        Click,
        DblClick
    };

    // The design's event that this mouse event completes on `control`, if any. `inside`
    // says whether the pointer is over the control: a release elsewhere is no click.
    Event take(const QObject* control, const QMouseEvent& event, bool inside);

private:
    struct Control
    {
        bool held = false;     // a press, or a double click standing for one, is not yet released
        bool counted = false;  // the press held has already given its event
        quint64 heldSince = 0; // the time of the press held
        bool released = false; // a release has been seen, at lastRelease
        quint64 lastRelease = 0;
    };

    QHash<const QObject*, Control> m_controls;
};
