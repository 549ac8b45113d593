#pragma once

// The mdbtools handle behind an AccessDatabase, for the files that read through it. Kept
// out of AccessDatabase.h so that the library's (and glib's) headers stay in these files.
#include "AccessDatabase.h"

#include <mdbtools.h>

#include <memory>
#include <vector>

struct AccessDatabase::Native
{
    MdbHandle* handle = nullptr;
    // A decrypted file, which the library reads from memory; it outlives the handle.
    QByteArray image;
    // The system catalogue, and the user tables it lists, in its order. The library's own
    // catalogue is never read: it would parse every object's property values.
    MdbCatalogEntry catalogue{};
    std::vector<std::unique_ptr<MdbCatalogEntry>> tables;

    // A user table matched without regard to case, or the system catalogue by its own name;
    // null when there is none.
    MdbCatalogEntry* entry(const QString& name);
};
