#pragma once

#include <QString>

// The children's side of the Access-file timings, each run with its cache folder set by
// the parent: one opening that converts the file, or the openings of its converted copy
// beside the bare opening of the SQLite catalogue it was written from. Each writes its
// findings as lines and gives the process's exit code.
namespace AccessRun {

int firstConversionMain(const QString& access);
int convertedCopyMain(const QString& catalogue, const QString& access, int runs);

} // namespace AccessRun
