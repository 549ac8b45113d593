#pragma once

class MDIForm1;

// The last step of the start: loads the main window, which opens the catalogue and its first
// search window, then shows it maximised.
void ShowMainWindow();

// The main window the start showed, if any.
MDIForm1* MainWindow();
