#include "WindowText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

QString textOf(QWidget* root, const QString& objectName)
{
    QWidget* widget = root->findChild<QWidget*>(objectName);
    if (!widget)
        qFatal("no control named %s", qPrintable(objectName));
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* text = qobject_cast<QTextEdit*>(widget))
        return text->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    qFatal("control %s has no text", qPrintable(objectName));
}
