#pragma once

#include "CachedList.h"

#include <QString>
#include <QVariant>

// What an opening reads for the windows, under the names every window reads them by: the count
// of house references, the five lists of the drop-down boxes (which the filters replace as the
// user narrows them) and the version texts. One value, handed whole from a catalogue to the one
// that replaces it, which keeps it until it has read its own.
struct CatalogueLists
{
    QVariant RecCount;

    CachedList HouseRefRows;
    CachedList DescRows;
    CachedList RefRows;
    CachedList FamRows;
    CachedList CompRows;

    QString VersionText;
    QString LinkTitle;
    QString LinkTarget;
    QString LinkHint;

    // The competitor references, families and manufacturers as the opening read them. The filters
    // narrow RefRows, FamRows and CompRows; these stay whole.
    CachedList OpenedRefRows;
    CachedList OpenedFamRows;
    CachedList OpenedCompRows;
};
