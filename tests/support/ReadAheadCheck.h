#pragma once

#include "catalogue/engine/ListQuery.h"
#include "catalogue/lists/CachedList.h"

#include <QStringList>

#include <optional>

class Catalogue;

// The references a catalogue read ahead for some stored manufacturers beside what the manufacturer
// filter's own query gives for them on the catalogue's connection, once the reading has ended.
struct ReadAheadCheck
{
    // None when the rows read ahead do not answer for these manufacturers.
    std::optional<CachedList> read;
    ListQuery asked;

    static ReadAheadCheck of(const Catalogue& catalogue, const QStringList& competitors);
    // Read ahead, and the same values in the same order as the query's.
    bool same() const { return read && asked.ok && read->hasSameValues(asked.rows); }
};
