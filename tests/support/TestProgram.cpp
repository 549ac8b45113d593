#include "TestProgram.h"

#include "TestCatalogue.h"
#include "base/ProgramLocation.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

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
