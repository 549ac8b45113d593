#pragma once

// The mdbtools handle behind an AccessDatabase, for the files that read through it. Kept
// out of AccessDatabase.h so that the library's (and glib's) headers stay in these files.
#include "AccessDatabase.h"

#include <mdbtools.h>

struct AccessDatabase::Native
{
    MdbHandle* handle = nullptr;
};
