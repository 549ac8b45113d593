#pragma once

#include "CachedList.h"
#include "CancelFlag.h"

#include <QString>
#include <QVariantList>

class Connection;

// A query whose whole result is fetched in one go, as the lists of the drop-down boxes
// need: the first column of every row, and the row count.
struct ListQuery
{
    bool ok = false; // the query ran
    CachedList rows; // first column of every row, in result order

    // A read whose flag is set while it runs stops and is a failed query.
    static ListQuery run(const Connection* conn, const QString& sql, const QVariantList& values = {},
                         const CancelFlag& cancel = nullptr);
};
