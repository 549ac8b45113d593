#pragma once

#include <QList>

class QWidget;

// The program's loaded windows, in the order they were loaded. A window joins when it is
// created and leaves when it is unloaded (closed), even if its object lives on a moment.
namespace LoadedForms {

void add(QWidget* form);
void remove(QWidget* form);
QList<QWidget*> all();

} // namespace LoadedForms
