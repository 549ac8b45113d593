#pragma once

#include <QString>

// The user's own folder for preview files, for when the program's directory takes no file (an
// installation folder, a read-only share): "previews" in the user's cache folder. Previews are
// copies made again on every showing, which is what a cache folder is for; it is the user's
// alone, on the local disk, and desktops may empty it without loss.
namespace UserPreviewFolder {

// The folder, made if it is missing; empty text when it cannot be.
QString made();

} // namespace UserPreviewFolder
