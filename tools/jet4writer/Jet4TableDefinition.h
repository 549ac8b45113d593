#pragma once

#include "Jet4ColumnDefinition.h"
#include "Jet4Edits.h"

#include <QByteArray>
#include <QVector>
#include <cstdint>

class Jet4RowLayout;

// The table definition page: row count, column count, the rows holding the table's page
// usage maps, one 25-byte entry per column and the column names. No indexes. Deleted columns
// are left out, and counted only among the most columns a row has had.
namespace Jet4TableDefinition {

// Empty when the definition does not fit one page.
QByteArray build(const QVector<Jet4ColumnDefinition>& columns, const Jet4RowLayout& layout,
                 std::uint32_t rowCount, std::uint32_t usageMapRow, std::uint32_t freeMapRow,
                 bool systemTable);

} // namespace Jet4TableDefinition
