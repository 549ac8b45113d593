#pragma once

#include "CachedList.h"
#include "OpeningLists.h"

#include <QString>
#include <QStringList>

// The lists an import wrote for the opening of its copy (OpeningLists), as the opening's
// queries read them from the finished copy.
struct OpeningListsFile
{
    bool ok = false; // read whole
    CachedList lists[OpeningLists::Version];
    // The version row's values as text, a null one empty; none without a row.
    QStringList version;

    // Read only when they are the lists of the conversion writing `copy`.
    static OpeningListsFile read(const QString& path, const QString& copy);
    // The columns of a copy's version table, in the order of the version row's values.
    static QStringList versionColumns();
};
