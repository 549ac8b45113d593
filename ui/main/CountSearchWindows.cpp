#include "CountSearchWindows.h"

#include "ui/platform/LoadedForms.h"

#include <QVariant>
#include <QWidget>

int CountSearchWindows()
{
    int count = 0;
    const QList<QWidget*> forms = LoadedForms::all();
    for (const QWidget* form : forms) {
        if (form->property("Tag").toString() == QLatin1String("Busca"))
            ++count;
    }
    return count;
}
