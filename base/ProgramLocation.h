#pragma once

#include <QString>

// Where the running program is: the directory that holds its executable (no trailing
// separator) and the executable's name without extension. The configuration file, the
// default catalogue and the preview files are all named after these.
namespace ProgramLocation {

QString directory();
QString name();
// A file in the program's directory, in the desktop's own notation.
QString fileInDirectory(const QString& fileName);

// Lets tests stand the program somewhere else, under another name; empty restores the
// real executable.
void setExecutableForTesting(const QString& executablePath);

} // namespace ProgramLocation
