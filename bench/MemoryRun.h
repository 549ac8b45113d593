#pragma once

#include <QString>

// The memory a user's working day takes at its peak: the catalogue opened, five search windows
// open, a manufacturer chosen and a reference resolved in one of them, then F2 there while
// the other four still show the lists they opened with, and offers shown while typing in the
// three boxes that make them. Run in a process of its own.
namespace MemoryRun {

struct Peak
{
    qint64 residentKb = -1; // the process's peak resident memory (VmHWM); -1 when it failed
    qint64 offersKb = 0;    // the most the offer indexes held at once meanwhile
};

Peak peak(const QString& catalogue);

qint64 peakResidentKb();

} // namespace MemoryRun
