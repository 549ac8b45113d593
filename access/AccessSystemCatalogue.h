#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

class AccessDatabase;

// The system catalogue (MSysObjects) of an Access file, read through the import's own checked
// reader: the name, id, type and flags of each object, and nothing of the property values
// the library would otherwise parse for every one of them.
namespace AccessSystemCatalogue {

struct Table
{
    QString name;
    // The page of the table's definition.
    quint32 definitionPage = 0;
};

// The user tables, in the catalogue's order. False when the catalogue cannot be read whole,
// or lists two user tables under one name (letter case aside) or on one definition page, or a
// user table on the catalogue's own page.
bool readUserTables(AccessDatabase& database, QVector<Table>* tables);

} // namespace AccessSystemCatalogue
