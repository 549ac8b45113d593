#pragma once

#include "CachedList.h"
#include "Connection.h"

#include <QString>
#include <QVariant>

#include <memory>

// The values the whole process shares: where the configuration and the catalogue are, the
// one catalogue connection, and the lists and texts read when the catalogue is opened.
// Every search window reads them; opening the catalogue again replaces them all.
struct Module1
{
    static inline QString DatabasePath;
    static inline QString ConfigFilePath;

    static inline std::shared_ptr<Connection> Conn;
    static inline bool DatabaseOpened = false;
    static inline QVariant RecCount;

    static inline CachedList HouseRefRows;
    static inline CachedList DescRows;
    static inline CachedList RefRows;
    static inline CachedList FamRows;
    static inline CachedList CompRows;

    static inline QString VersionText;
    static inline QString LinkTitle;
    static inline QString LinkTarget;
    static inline QString LinkHint;

    // Back to the state before the first opening.
    static void Reset();
};
