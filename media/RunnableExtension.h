#pragma once

#include <QString>

// Photos and drawings are handed to the desktop, which opens a file by its extension. For
// some extensions "open" means run, install or follow a shortcut; a catalogue received from
// anyone must never get a program started that way, so such a file is not written at all.
namespace RunnableExtension {

// True for an extension (without the point, blanks already trimmed) that a Windows,
// Linux or macOS desktop would run or install rather than show, in any letter case.
bool isRunnable(const QString& extension);

} // namespace RunnableExtension
