#pragma once

#include <QString>
#include <QVector>

// The manufacturers of the cross-reference table other than the house brands, each with the
// shape of its product references.
class CompetitorList
{
public:
    struct Competitor
    {
        QString name;
        QString referencePattern;
    };

    static const QVector<Competitor>& competitors();

    static QString houseBrand();
    static QString secondHouseBrand();
    // The maker's former references; listed like any competitor, never a resolution target.
    static QString oldHouseReferences();
};
