#pragma once

class QWidget;

namespace StartupMessages {

// The configuration file could not be read or written.
void showWriteFailure(QWidget* parent);

} // namespace StartupMessages
