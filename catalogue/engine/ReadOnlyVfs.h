#pragma once

// The way the program opens catalogue files: a thin layer over SQLite's own file system that
// never creates a file beside the catalogue, in whatever journal mode the file was written, and
// never deletes, writes or cuts a file (SQLITE_IOERR_DELETE, SQLITE_READONLY), whatever SQLite
// asks of it. Only SQLite's nameless scratch files, for sorts too large for memory, are written.
//
// A file left in WAL mode would otherwise make even a read-only connection create its "-wal"
// and "-shm" files beside it, and fail to open in a folder the user may not write to. Such a
// file is read as the rollback-journal readers read it: through the locks on the file itself,
// so that a program writing it in rollback mode still cannot change it under a read. A WAL
// writer does not take those locks; while its WAL file holds changes, SQLite itself turns to
// WAL mode, which this layer does not offer, and the reads fail as on a busy file. Once the
// changes are in the catalogue, the reader's cached pages are dropped: they are dropped
// whenever the file has changed on disk since the last read began.
namespace ReadOnlyVfs {

// The name to give sqlite3_open_v2; the layer is registered on the first call.
const char* name();

} // namespace ReadOnlyVfs
