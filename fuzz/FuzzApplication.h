#pragma once

#include <QString>

// The Qt application object and a scratch directory for one fuzzing process. The database
// driver needs the application object; files are written under the scratch directory only.
namespace FuzzApplication {

void start();
QString scratchDirectory();

} // namespace FuzzApplication
