#include "BenchQueries.h"

#include "catalogue/HouseBrands.h"
#include "catalogue/ScrambleText.h"

namespace BenchQueries {

QVariantList houseBrands()
{
    return {HouseBrands::storedQV(), HouseBrands::storedVestral()};
}

QVariantList manufacturerAlone()
{
    return QVariantList{ScrambleText(Manufacturer)} + houseBrands();
}

QVariantList manufacturerOnly()
{
    return {ScrambleText(Manufacturer)};
}

QVariantList manufacturerInFamily()
{
    return QVariantList{ScrambleText(Manufacturer), Family} + houseBrands();
}

QVariantList familyAlone()
{
    return QVariantList{Family} + houseBrands();
}

QVariantList familyOnly()
{
    return {Family};
}

QVariantList competitorReference()
{
    return {ScrambleText(CompetitorReference)};
}

QVariantList houseEquivalent()
{
    // The known competitor row sits in group 1 of family "DJ".
    return {qlonglong(1), QStringLiteral("DJ"), HouseBrands::storedQV()};
}

QVariantList houseByReference()
{
    return {HouseReference + QLatin1Char('%')};
}

QVariantList houseByDescription()
{
    return {QLatin1Char('%') + Description + QLatin1Char('%')};
}

} // namespace BenchQueries
