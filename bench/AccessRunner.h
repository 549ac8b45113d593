#pragma once

#include "SizeRunner.h"

// The opening of a catalogue at start, in a new process, and opening its Access copy: the first conversion,
// each run in a process whose cache folder is new and empty, of the Jet 4 file and of its encrypted ACE
// twin (AccessBenchFile), and the converted copy found in the cache. Adds the rows after the catalogue's
// OpenCatalogue row; the bare figure of each is the bare opening of the SQLite catalogue, and the program
// must find the lists the SQLite catalogue gave.
namespace AccessRunner {

void add(SizeResult* result, const QString& catalogue, const QString& access, int runs);

} // namespace AccessRunner
