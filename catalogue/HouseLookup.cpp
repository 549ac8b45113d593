#include "HouseLookup.h"

#include "Catalogue.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "TextForms.h"
#include "TypedEntries.h"

namespace HouseLookup {

namespace {

ProductRecord firstProduct(const Catalogue& catalogue, const QString& sql, const QString& likePattern)
{
    ForwardResult result =
        ForwardResult::execute(&catalogue.Conn, sql, CatalogueSql::productValues(likePattern));
    ProductRecord product = ProductRecord::firstRowOf(result);
    result.close();
    return product;
}

ProductRecord byReference(const Catalogue& catalogue, const QString& typed)
{
    return firstProduct(catalogue, CatalogueSql::ByReference,
                        TextForms::withoutQuotes(typed) + QLatin1Char('%'));
}

} // namespace

Found FindByReference(Catalogue& catalogue, const QString& typed)
{
    Found found;
    found.product = byReference(catalogue, typed);
    if (found.product.eof()) {
        // Written with other separators, the one reference it can be is looked up as if chosen.
        found.entry = TypedEntries::houseReferenceAside(catalogue, typed);
        if (!found.entry.isEmpty())
            found.product = byReference(catalogue, found.entry);
    }
    return found;
}

ProductRecord FindByDescription(Catalogue& catalogue, const QString& typed)
{
    return firstProduct(catalogue, CatalogueSql::ByDescription,
                        QLatin1Char('%') + TextForms::trimBlanks(typed) + QLatin1Char('%'));
}

} // namespace HouseLookup
