#pragma once

#include <QObject>

class Form2;
class QWidget;

// A lookup as the user waits for it: Enter pressed in a box of the search window, until the
// product panel is painted. The photo's widget is painted in the same pass as the panel's data
// boxes, so the pass that paints it ends the wait.
class KeyToPanel : public QObject
{
public:
    explicit KeyToPanel(Form2* window);
    ~KeyToPanel() override;

    // Presses Enter in the box named `box` and runs the events until the panel is painted;
    // false when it was not within a few seconds.
    bool pressEnter(const char* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form2* m_window;
    QWidget* m_photo;
    bool m_painted = false;
};
