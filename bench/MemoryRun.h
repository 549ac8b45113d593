#pragma once

#include <QString>

// The memory a user's working day takes at its peak: the catalogue opened, five search windows
// open, a manufacturer chosen and a reference resolved in one of them, then F2 there while
// the other four still show the lists they opened with. Run in a process of its own.
namespace MemoryRun {

// The process's peak resident memory (VmHWM) in kB after that; -1 when it failed.
qint64 peakKb(const QString& catalogue);

qint64 peakResidentKb();

} // namespace MemoryRun
