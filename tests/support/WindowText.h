#pragma once

#include <QString>

class QWidget;

// The text of a line edit, text edit, label or combo box found by objectName under `root`.
QString textOf(QWidget* root, const QString& objectName);
