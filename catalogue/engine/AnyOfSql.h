#pragma once

#include <QString>

// The cross-reference queries when the text typed stands for several stored values (see
// TypedEntries): the one condition on the typed value asks for any of them.
namespace CatalogueSql {

// The query with its first `condition` (such as "COMPANY = ?") written as
// "COMPANY IN (?, ?, ...)" for `count` values; no value, "COMPANY IN ()", which finds no row.
// One value keeps the query as it is.
QString anyOf(const QString& sql, const QString& condition, qsizetype count);

// ReferencesOfCompetitor for `count` manufacturers, none of them a house brand.
QString referencesOfCompetitors(qsizetype count);

// FamiliesOfManufacturer for `count` manufacturers: each family once, whichever of them makes it.
QString familiesOfManufacturers(qsizetype count);

} // namespace CatalogueSql
