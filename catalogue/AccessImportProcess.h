#pragma once

#include <QString>
#include <functional>

// Runs the conversion in the separate import process (access/AccessImportTool) and waits for
// it, passing its progress on. A process that crashes, fails, falls silent for too long or
// outlives its time limit (which grows with the file's size) is a failed conversion.
//
// The wait keeps the event loop running, so that windows repaint and timers run, while what
// the user types or clicks, and requests to close a window, are held until it has ended: the
// caller's result is only known then, and nothing may start or close meanwhile.
namespace AccessImportProcess {

// The import program's file name; it stands beside the program.
constexpr const char* kProgramName = "lumeo-access-import";

// The import reports at least every second while it works; a silence this long means it hangs.
constexpr int kSilenceLimitMs = 20 * 1000;

// The import program beside the running program, or an empty string when there is none.
QString program();
// Tests stand another program in its place; an empty path restores the one beside the program.
void setProgramForTesting(const QString& path);

bool run(const QString& program, const QString& accessPath, const QString& sqlitePath,
         const std::function<void(int)>& progress, int silenceLimitMs = kSilenceLimitMs);

} // namespace AccessImportProcess
