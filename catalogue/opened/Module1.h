#pragma once

#include "Catalogue.h"

#include <QString>

#include <memory>

// The values the whole process shares: where the configuration and the catalogue are, and the
// catalogue as last opened, whose connection, lists and texts every search window reads.
// Opening the catalogue again replaces that catalogue whole.
struct Module1
{
    static inline QString DatabasePath;
    static inline QString ConfigFilePath;

    // The catalogue as last opened; one never opened before the first opening.
    static Catalogue& Opened();
    // Puts a new catalogue in the place of the last, which takes its lists and texts; the
    // last one's work ends and its connection closes before this returns.
    static Catalogue& Replace();

    // Back to the state before the first opening.
    static void Reset();
};
