#pragma once

#include "PhotoShape.h"

#include <QString>
#include <QStringList>

// One product family of the sample catalogue: its code and name in FAMILIES, and what its
// house products look like.
struct ProductFamily
{
    QString code;
    QString description;
    // Two digits that start the house references of the family ("21" gives "KV-2104").
    int referenceBase = 0;
    QString fiscalClass;
    QString group;
    QStringList productDescriptions;
    PhotoShape shape = PhotoShape::Enclosure;
};
