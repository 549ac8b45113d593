#include "BenchQueries.h"

#include "base/HouseBrands.h"
#include "base/ScrambleText.h"
#include "catalogue/engine/CatalogueSql.h"

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

QVariantList familyAlone(const QString& family)
{
    return QVariantList{family} + houseBrands();
}

QVariantList familyOnly(const QString& family)
{
    return {family};
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

QVariantList houseByReference(const QString& typed)
{
    return CatalogueSql::productValues(typed + QLatin1Char('%'));
}

QVariantList houseByDescription(const QString& typed)
{
    return CatalogueSql::productValues(QLatin1Char('%') + typed + QLatin1Char('%'));
}

QVariantList storedAsTyped(const QString& typed, const QString& listed)
{
    return {ScrambleText(typed), ScrambleText(listed)};
}

} // namespace BenchQueries
