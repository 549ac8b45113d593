#include "LoadedForms.h"

#include <QPointer>
#include <QWidget>

namespace {

QList<QPointer<QWidget>>& forms()
{
    static QList<QPointer<QWidget>> loaded;
    return loaded;
}

} // namespace

namespace LoadedForms {

void add(QWidget* form)
{
    if (!forms().contains(form))
        forms().append(form);
}

void remove(QWidget* form)
{
    forms().removeAll(form);
}

QList<QWidget*> all()
{
    QList<QWidget*> result;
    for (const QPointer<QWidget>& form : std::as_const(forms())) {
        if (form)
            result.append(form);
    }
    return result;
}

} // namespace LoadedForms
