#pragma once

// The program that converts Access-format catalogues: it stands beside the catalogue program,
// which runs it for each conversion (lumeo-access-import ACCESS-FILE SQLITE-FILE [LISTS-FILE]).
// It reports on its output: "progress N" as it goes, and the line below once the opening's lists
// are in the lists file (OpeningLists), while it goes on to build the copy's indexes.
namespace ImportProgram {

constexpr const char* kName = "lumeo-access-import";
constexpr const char* kListsWritten = "lists";

// A copy is trusted only when its header carries both, written as the import's last steps
// once everything else is on disk: the layout of the copy (its tables, indexes and planner
// statistics; raised whenever the import writes copies differently), then the mark of a
// finished copy.
constexpr int kCopyLayoutVersion = 1;
constexpr int kCopyFinishedMark = 0x4C4D4F43;

} // namespace ImportProgram
