#pragma once

// The separate process that converts an Access file, so that a crash or a hang of the Access
// library on a damaged file ends that process, not the program:
//   lumeo-access-import ACCESS-FILE SQLITE-FILE
// It prints "progress N" lines (0-100) on standard output as it goes and exits with 0 when
// the SQLite file is complete, 1 when the Access file cannot be converted, 2 on bad usage.
namespace AccessImportTool {

int run(int argc, char* argv[]);

} // namespace AccessImportTool
