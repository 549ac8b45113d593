#pragma once

#include "CachedList.h"
#include "WorkPool.h"

#include <QStringList>

#include <memory>
#include <optional>

class Connection;

// Each competitor manufacturer's references as the manufacturer filter's query gives them, read
// ahead on the catalogue's pool once it is open: a manufacturer of a large catalogue has tens of
// thousands of rows, which the filter then finds read instead of reading them while the user
// waits. Each manufacturer is read by that query itself, a job each, so that work the windows
// start meanwhile waits for one manufacturer at most. Asked from the window thread.
class ManufacturerReferences
{
public:
    ManufacturerReferences();
    ~ManufacturerReferences();

    // Starts reading in jobs of `pool` on `conn`, which no other work uses; both outlive the jobs.
    // Once for each opening.
    void readAhead(WorkPool& pool, const Connection* conn);
    // The query's rows for these stored manufacturers, none of them a house brand, when the rows
    // read answer it as the engine would: exactly one of them names a manufacturer with rows, and
    // those are read. None otherwise, and the query is to be asked.
    std::optional<CachedList> readAlready(const QStringList& competitors) const;
    // Waits until the reading has ended, all read or given up.
    void waitUntilRead() const;

    // What the jobs and the window thread share.
    struct State;

private:
    std::shared_ptr<State> m_state;
};
