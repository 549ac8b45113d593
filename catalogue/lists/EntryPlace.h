#pragma once

#include "CachedList.h"

#include <QStringView>

// Where a text stands among entries sorted in alphabetical order (AlphabeticalOrder): the place
// of the first entry that does not come before it, found by halving the list, not reading it.
struct EntryPlace
{
    qsizetype at = 0;
    bool isEntry = false; // the entry there is the text itself

    static EntryPlace of(const CachedList::Texts& sorted, QStringView text);
};
