#pragma once

#include <QString>
#include <functional>

// Runs the conversion in the separate import process (see AccessImportTool) and waits for
// it, passing its progress on. A process that crashes, fails, falls silent for too long or
// outlives its time limit (which grows with the file's size) is a failed conversion.
namespace AccessImportProcess {

// The import reports at least every second while it works; a silence this long means it hangs.
constexpr int kSilenceLimitMs = 20 * 1000;

// The import program beside the running program, or an empty string when there is none.
QString program();

bool run(const QString& program, const QString& accessPath, const QString& sqlitePath,
         const std::function<void(int)>& progress, int silenceLimitMs = kSilenceLimitMs);

} // namespace AccessImportProcess
