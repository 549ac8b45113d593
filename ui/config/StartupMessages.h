#pragma once

class QString;
class QWidget;

namespace StartupMessages {

// The configuration file could not be read or written; the details name it and say why.
void showWriteFailure(QWidget* parent, const QString& configFile, const QString& why);

// The path holds these characters, which the configuration file's character set cannot
// hold; nothing was saved.
void showUnstorablePath(QWidget* parent, const QString& characters);

} // namespace StartupMessages
