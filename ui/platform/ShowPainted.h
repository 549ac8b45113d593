#pragma once

class QWidget;

// Shows a window and returns once the window system has exposed it and it has painted, so
// that a notice stands on the screen before the work it announces keeps the program busy.
// Meanwhile window events are handled; what the user types or clicks waits.
void showPainted(QWidget* window);
