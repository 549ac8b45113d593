#pragma once

#include <QString>

class QWidget;

namespace StartupMessages {

// The configuration file could not be read or written; the details name it and say why, and,
// for the user's own file, why the program's folder took none.
void showWriteFailure(QWidget* parent, const QString& configFile, const QString& why,
                      const QString& programFolder = QString(), const QString& refusedBeside = QString());

// The configuration was saved: the details name the file.
void showSaved(QWidget* parent, const QString& configFile);

// The path holds these characters, which the configuration file's character set cannot
// hold; nothing was saved.
void showUnstorablePath(QWidget* parent, const QString& characters);

} // namespace StartupMessages
