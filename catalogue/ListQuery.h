#pragma once

#include "CachedList.h"

#include <QString>
#include <QVariantList>

class Connection;

// A query whose whole result is fetched in one go, as the lists of the drop-down boxes
// need: the first column of every row, and the row count.
struct ListQuery
{
    bool ok = false;   // the query ran
    CachedList rows;   // first column of every row, in result order

    static ListQuery run(const Connection* conn, const QString& sql, const QVariantList& values = {});
    // The same, with the list's entries of that rule and order made while it is read.
    static ListQuery run(const Connection* conn, const QString& sql, const QVariantList& values,
                         EntryRule rule, bool sorted);

private:
    static ListQuery read(const Connection* conn, const QString& sql, const QVariantList& values,
                          CachedList::Builder list);
};
