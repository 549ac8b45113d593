#pragma once

#include "ScrambleText.h"

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

} // namespace HouseBrands
