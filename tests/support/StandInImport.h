#pragma once

#include <QByteArray>
#include <QString>

// A shell script in the import program's place for as long as the object lives: the conversions
// the program starts run the script, and the real import program again once the object goes,
// whatever the test's checks did meanwhile.
class StandInImport
{
public:
    // Writes `script` (shell commands; the interpreter line is added) to `path`, executable.
    StandInImport(const QString& path, const QByteArray& script);
    ~StandInImport();
    StandInImport(const StandInImport&) = delete;
    StandInImport& operator=(const StandInImport&) = delete;

    // The script was written and stands in.
    bool isReady() const { return m_ready; }

    // Only writes such a script, for a test that starts it itself.
    static bool write(const QString& path, const QByteArray& script);

private:
    bool m_ready = false;
};
