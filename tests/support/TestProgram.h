#pragma once

#include <QString>
#include <QTemporaryDir>

// Stands the program in a fresh temporary directory for one test: the executable's place
// and name, a clean Module1, a Brazilian locale. The catalogue path is <dir>/lumeo.kvl.
// The directory sits in a temporary directory of its own, so that a test can tell whether
// the program wrote beside its directory while other tests write to the system's.
class TestProgram
{
public:
    explicit TestProgram(const QString& executableName = QStringLiteral("lumeo"));
    ~TestProgram();

    QString directory() const { return m_directory; }
    QString file(const QString& name) const { return m_directory + QLatin1Char('/') + name; }
    QString catalogue() const { return file(QStringLiteral("lumeo.kvl")); }

    // Writes the standard test catalogue and opens it as the program does.
    bool openStandardCatalogue();

private:
    QTemporaryDir m_parent;
    QString m_directory;
};

// Gives this test program a cache folder of its own, where converted copies are kept, removed
// at its end. Without it the same test run beside it (headless and on the real display in one
// `ctest -j`, or from another checkout) would convert into, and empty, the same folder.
void useOwnCacheFolder();
