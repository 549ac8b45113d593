#pragma once

#include "ScrambleText.h"

#include <QStringList>

// The maker's own brands, as stored in RELATIONS.COMPANY. Their rows are left out of every
// competitor list and are the targets when a competitor reference is resolved.
namespace HouseBrands {

inline QString storedQV()
{
    return ScrambleText(QStringLiteral("QV"));
}

inline QString storedVestral()
{
    return ScrambleText(QStringLiteral("VESTRAL"));
}

// True when a stored manufacturer is one of the house brands as the COMPANY column compares
// them (its NOCASE).
bool isHouseBrand(const QString& stored);
// The stored manufacturers that are no house brand, in their order.
QStringList withoutHouseBrands(const QStringList& stored);

} // namespace HouseBrands
