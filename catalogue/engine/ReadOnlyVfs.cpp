#include "ReadOnlyVfs.h"

#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// The database header's fields this layer reads: the write and read format versions (2 in
// WAL mode, 1 in rollback mode) and the change counter.
constexpr sqlite3_int64 kWriteVersion = 18;
constexpr sqlite3_int64 kReadVersion = 19;
constexpr sqlite3_int64 kChangeCounter = 24;
constexpr unsigned char kWalMode = 2;
constexpr unsigned char kRollbackMode = 1;

sqlite3_vfs* g_real = nullptr;

// SQLite gives the room for it 8-byte aligned; the platform's file follows it in that room.
struct File
{
    sqlite3_file base; // first, as SQLite sees it
    sqlite3_file* real;
    sqlite3_filename name; // valid until xClose
    bool catalogue;
    // Every named file, the catalogue and any beside it, is never written or cut. Only
    // SQLite's own nameless scratch files, gone once closed, take writes.
    bool readOnly;
    bool walMode;
    // The file as last seen when a read began, and how often it was found changed.
    std::uintmax_t size;
    std::filesystem::file_time_type modified;
    unsigned generation;
};
static_assert(alignof(File) <= 8 && sizeof(File) % 8 == 0);

File* fileOf(sqlite3_file* file)
{
    return reinterpret_cast<File*>(file);
}

sqlite3_file* realOf(sqlite3_file* file)
{
    return fileOf(file)->real;
}

// WAL-mode files are shown to SQLite in rollback mode, and their change counter moves with
// every change seen on disk: a WAL writer need not move it, and the cached pages must go.
void present(File* file, unsigned char* bytes, int amount, sqlite3_int64 offset)
{
    const auto at = [&](sqlite3_int64 position) -> unsigned char* {
        return position >= offset && position < offset + amount ? bytes + (position - offset) : nullptr;
    };
    unsigned char* write = at(kWriteVersion);
    unsigned char* read = at(kReadVersion);
    if (write && read)
        file->walMode = *write == kWalMode && *read == kWalMode;
    if (!file->walMode)
        return;
    if (write && *write == kWalMode)
        *write = kRollbackMode;
    if (read && *read == kWalMode)
        *read = kRollbackMode;
    for (int i = 0; i < 4; ++i) {
        if (unsigned char* counter = at(kChangeCounter + i))
            *counter ^= static_cast<unsigned char>(file->generation >> (8 * (3 - i)));
    }
}

void noteChanges(File* file)
{
    std::error_code sizeError;
    std::error_code timeError;
    const std::filesystem::path path(sqlite3_filename_database(file->name));
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(path, timeError);
    if (sizeError || timeError || size != file->size || modified != file->modified)
        ++file->generation;
    file->size = size;
    file->modified = modified;
}

int fileClose(sqlite3_file* file)
{
    return realOf(file)->pMethods->xClose(realOf(file));
}

int fileRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    const int result = realOf(file)->pMethods->xRead(realOf(file), buffer, amount, offset);
    if (result == SQLITE_OK && fileOf(file)->catalogue)
        present(fileOf(file), static_cast<unsigned char*>(buffer), amount, offset);
    return result;
}

int fileWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (fileOf(file)->readOnly)
        return SQLITE_READONLY;
    return realOf(file)->pMethods->xWrite(realOf(file), buffer, amount, offset);
}

int fileTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    if (fileOf(file)->readOnly)
        return SQLITE_READONLY;
    return realOf(file)->pMethods->xTruncate(realOf(file), size);
}

int fileSync(sqlite3_file* file, int flags)
{
    return realOf(file)->pMethods->xSync(realOf(file), flags);
}

int fileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return realOf(file)->pMethods->xFileSize(realOf(file), size);
}

int fileLock(sqlite3_file* file, int level)
{
    const int result = realOf(file)->pMethods->xLock(realOf(file), level);
    File* opened = fileOf(file);
    if (result == SQLITE_OK && level == SQLITE_LOCK_SHARED && opened->catalogue && opened->walMode)
        noteChanges(opened);
    return result;
}

int fileUnlock(sqlite3_file* file, int level)
{
    return realOf(file)->pMethods->xUnlock(realOf(file), level);
}

int fileCheckReservedLock(sqlite3_file* file, int* reserved)
{
    return realOf(file)->pMethods->xCheckReservedLock(realOf(file), reserved);
}

int fileControl(sqlite3_file* file, int operation, void* argument)
{
    return realOf(file)->pMethods->xFileControl(realOf(file), operation, argument);
}

int fileSectorSize(sqlite3_file* file)
{
    return realOf(file)->pMethods->xSectorSize(realOf(file));
}

int fileDeviceCharacteristics(sqlite3_file* file)
{
    return realOf(file)->pMethods->xDeviceCharacteristics(realOf(file));
}

// Version 1: no shared memory and no memory-mapped pages, so that every page read passes
// through fileRead and WAL mode can never be entered.
const sqlite3_io_methods kFileMethods = {
    1,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
};

int vfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    File* opened = fileOf(file);
    std::memset(opened, 0, sizeof(File));
    opened->real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(opened) + sizeof(File));
    opened->name = name;
    opened->catalogue = (flags & SQLITE_OPEN_MAIN_DB) != 0;

    // Nothing is created or written beside the catalogue, nor the catalogue itself.
    const bool beside =
        (flags & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL | SQLITE_OPEN_SUPER_JOURNAL)) != 0;
    opened->readOnly = name != nullptr;
    if (opened->catalogue || beside) {
        if (beside && name) {
            int exists = 0;
            if (g_real->xAccess(g_real, name, SQLITE_ACCESS_EXISTS, &exists) != SQLITE_OK || !exists)
                return SQLITE_CANTOPEN;
        }
        flags = (flags & ~(SQLITE_OPEN_CREATE | SQLITE_OPEN_READWRITE)) | SQLITE_OPEN_READONLY;
    }

    const int result = g_real->xOpen(g_real, name, opened->real, flags, outFlags);
    if (opened->real->pMethods)
        opened->base.pMethods = &kFileMethods;
    if (result == SQLITE_OK && opened->catalogue) {
        unsigned char versions[2] = {0, 0};
        if (opened->real->pMethods->xRead(opened->real, versions, 2, kWriteVersion) == SQLITE_OK)
            opened->walMode = versions[0] == kWalMode && versions[1] == kWalMode;
    }
    return result;
}

// Nothing is ever deleted: SQLite would remove a WAL file it finds beside an empty
// catalogue, and a hot journal beside one it cannot roll back.
int vfsDelete(sqlite3_vfs*, const char*, int)
{
    return SQLITE_IOERR_DELETE;
}

// The rest is the platform's own file system, unchanged.

int vfsAccess(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return g_real->xAccess(g_real, name, flags, result);
}

int vfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}

void* vfsDlOpen(sqlite3_vfs*, const char* name)
{
    return g_real->xDlOpen(g_real, name);
}

void vfsDlError(sqlite3_vfs*, int size, char* message)
{
    g_real->xDlError(g_real, size, message);
}

void (*vfsDlSym(sqlite3_vfs*, void* library, const char* symbol))(void)
{
    return g_real->xDlSym(g_real, library, symbol);
}

void vfsDlClose(sqlite3_vfs*, void* library)
{
    g_real->xDlClose(g_real, library);
}

int vfsRandomness(sqlite3_vfs*, int size, char* out)
{
    return g_real->xRandomness(g_real, size, out);
}

int vfsSleep(sqlite3_vfs*, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}

int vfsCurrentTime(sqlite3_vfs*, double* now)
{
    return g_real->xCurrentTime(g_real, now);
}

int vfsLastError(sqlite3_vfs*, int size, char* message)
{
    return g_real->xGetLastError(g_real, size, message);
}

int vfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now)
{
    return g_real->xCurrentTimeInt64(g_real, now);
}

sqlite3_vfs* registered()
{
    static sqlite3_vfs vfs = [] {
        sqlite3_initialize();
        g_real = sqlite3_vfs_find(nullptr);
        sqlite3_vfs layer{};
        layer.iVersion = 2;
        layer.szOsFile = int(sizeof(File)) + g_real->szOsFile;
        layer.mxPathname = g_real->mxPathname;
        layer.zName = "lumeo-readonly";
        layer.xOpen = vfsOpen;
        layer.xDelete = vfsDelete;
        layer.xAccess = vfsAccess;
        layer.xFullPathname = vfsFullPathname;
        layer.xDlOpen = vfsDlOpen;
        layer.xDlError = vfsDlError;
        layer.xDlSym = vfsDlSym;
        layer.xDlClose = vfsDlClose;
        layer.xRandomness = vfsRandomness;
        layer.xSleep = vfsSleep;
        layer.xCurrentTime = vfsCurrentTime;
        layer.xGetLastError = vfsLastError;
        layer.xCurrentTimeInt64 = vfsCurrentTimeInt64;
        return layer;
    }();
    static const bool done = sqlite3_vfs_register(&vfs, 0) == SQLITE_OK;
    return done ? &vfs : nullptr;
}

} // namespace

namespace ReadOnlyVfs {

const char* name()
{
    const sqlite3_vfs* vfs = registered();
    return vfs ? vfs->zName : nullptr;
}

} // namespace ReadOnlyVfs
