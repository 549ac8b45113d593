#pragma once

#include <QString>
#include <QVariant>

// One cross-reference row in shown form; reference, company and notes are scrambled only
// when written. A null group number or null notes are invalid QVariants.
struct RelationRow
{
    QString reference;
    QString company;
    QString family;
    QVariant referenceSet;
    QVariant notes;
};
