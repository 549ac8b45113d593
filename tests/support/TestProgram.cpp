#include "TestProgram.h"

#include "TestCatalogue.h"
#include "base/ProgramLocation.h"
#include "catalogue/Module1.h"
#include "catalogue/OpenCatalogue.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStandardPaths>
#include <QTextEdit>

TestProgram::TestProgram(const QString& executableName)
    : m_directory(m_parent.filePath(QStringLiteral("program")))
{
    QDir().mkpath(m_directory);
    ProgramLocation::setExecutableForTesting(file(executableName));
    Module1::Reset();
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

TestProgram::~TestProgram()
{
    Module1::Reset();
    ProgramLocation::setExecutableForTesting(QString());
}

bool TestProgram::openStandardCatalogue()
{
    TestCatalogue::writeStandard(catalogue());
    Module1::DatabasePath = catalogue();
    return OpenCatalogue();
}

void useOwnCacheFolder()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QCoreApplication::applicationName() + QLatin1Char('-') +
                                         QString::number(QCoreApplication::applicationPid()));
    static const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    qAddPostRoutine([] { QDir(folder).removeRecursively(); });
}

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
