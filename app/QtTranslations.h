#pragma once

#include <QLocale>

// Qt's own texts (the standard buttons of the message boxes, the file dialog) in the language
// of the given locale, from Qt's translations installed beside Qt. The program's own texts
// are Portuguese whatever the desktop. Replaces what an earlier call installed; where Qt has no
// translation for that locale, Qt's texts stay English.
void installQtTranslations(const QLocale& locale = QLocale::system());
