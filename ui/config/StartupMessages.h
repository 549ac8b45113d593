#pragma once

class QString;
class QWidget;

namespace StartupMessages {

// The configuration file could not be read or written.
void showWriteFailure(QWidget* parent);

// The path holds these characters, which the configuration file's character set cannot
// hold; nothing was saved.
void showUnstorablePath(QWidget* parent, const QString& characters);

} // namespace StartupMessages
