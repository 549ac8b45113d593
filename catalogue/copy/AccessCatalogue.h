#pragma once

#include <QString>

#include <memory>

#include "AccessCopyUse.h"

class AccessConversion;
class WorkPool;

namespace AccessCatalogue {

// How long an opening waits for a conversion it starts.
enum class CopyWait
{
    UntilWhole,      // the copy finished, as any check of a catalogue needs
    UntilListsAreIn, // the opening's lists written, for a window to open on
};

// What serves an Access file: its SQLite copy, or why there is none.
struct Copy
{
    Copy();
    Copy(Copy&&) noexcept;
    Copy& operator=(Copy&&) noexcept;
    ~Copy();

    QString path;    // empty when the file cannot be read as a catalogue
    QString failure; // why, then
    // Keeps the copy in the cache for as long as it is held.
    AccessCopyUse use;
    // With CopyWait::UntilListsAreIn, a conversion handed over once its lists are written: the
    // copy is then still to come at `path`.
    std::unique_ptr<AccessConversion> unfinished;
};

// The SQLite copy holding the Access file's six tables, converted on first use and kept in the
// user's cache directory keyed by the file's path, size and modification time, so reopening the
// unchanged file costs no more than opening an SQLite catalogue. The conversion is waited for as
// ImportWait says. Each call also clears the cache (AccessCopySweep), in a job of `sweepOn` beside
// the opening when given, before it otherwise.
Copy sqliteCopy(const QString& accessPath, CopyWait wait = CopyWait::UntilWhole, WorkPool* sweepOn = nullptr);

} // namespace AccessCatalogue
