#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QMessageBox;

// Answers the desktop's real message boxes as a user would, while the program waits in one:
// once a box is shown (on a real display, once the window manager has made it the active
// window), notes what the user sees, then presses a key on it. Takes the place of the
// recording desktop for its lifetime, so that the boxes are the real ones.
class MessageBoxWatcher : public QObject
{
    Q_OBJECT

public:
    // Enter presses the default button, Escape the escape button.
    explicit MessageBoxWatcher(Qt::Key answer = Qt::Key_Escape);
    ~MessageBoxWatcher() override;

    struct Seen
    {
        QString title;      // the box's own title
        QString windowName; // its title as the X server holds it (real display only)
        QString text;
        QString details;       // shown on request under the text
        QStringList buttons;   // their captions from left to right, without access-key marks
        QString defaultButton; // the caption of the button that Enter presses
        bool active = false;   // the box was the active window when it was answered
    };

    QList<Seen> seen;

private:
    void look();
    void answer(QMessageBox* box);

    QTimer m_timer;
    Qt::Key m_answer;
};
