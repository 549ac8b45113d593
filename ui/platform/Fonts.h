#pragma once

// Maps the fonts the windows are designed in (MS Sans Serif, Arial, Tahoma) onto fonts
// available here: Liberation Sans has Arial's metrics, and Wine's Tahoma is loaded from
// its own folder, which fontconfig does not search. Call once, after the application
// object exists and before any window is created.
void installFontSubstitutes();
