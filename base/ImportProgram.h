#pragma once

// The program that converts Access-format catalogues: it stands beside the catalogue program,
// which runs it for each conversion (lumeo-access-import ACCESS-FILE SQLITE-FILE).
namespace ImportProgram {

constexpr const char* kName = "lumeo-access-import";

} // namespace ImportProgram
