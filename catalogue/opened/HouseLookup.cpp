#include "HouseLookup.h"

#include "AnyOfSql.h"
#include "Catalogue.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "MatchKey.h"
#include "TextForms.h"
#include "TypedEntries.h"

#include <QLocale>

namespace HouseLookup {

namespace {

ProductRecord firstProduct(const Catalogue& catalogue, const QString& sql, const QString& likePattern)
{
    ForwardResult result =
        ForwardResult::execute(catalogue.connection(), sql, CatalogueSql::productValues(likePattern));
    ProductRecord product = ProductRecord::firstRowOf(result);
    result.close();
    return product;
}

// The designed lookup removes every quote; a reference that holds one is then looked up as it
// is written, bound as ever.
ProductRecord byReference(const Catalogue& catalogue, const QString& typed)
{
    ProductRecord product = firstProduct(catalogue, CatalogueSql::ByReference,
                                         TextForms::withoutQuotes(typed) + QLatin1Char('%'));
    if (product.eof() && typed.contains(QLatin1Char('\'')))
        product = firstProduct(catalogue, CatalogueSql::ByReference, typed + QLatin1Char('%'));
    return product;
}

} // namespace

Found FindByReference(Catalogue& catalogue, const QString& typed)
{
    Found found;
    found.product = byReference(catalogue, typed);
    if (!found.product.eof())
        return found;
    // Written with other separators, the one reference it can be is looked up as if chosen; else
    // the first that begins with it so, or last without its accents.
    found.entry = TypedEntries::entryAside(catalogue, Catalogue::Match::HouseReferencesAside, typed);
    if (found.entry.isEmpty())
        found.entry = TypedEntries::houseReferenceBeginning(catalogue, typed);
    if (!found.entry.isEmpty())
        found.product = byReference(catalogue, found.entry);
    return found;
}

Found FindByDescription(Catalogue& catalogue, const QString& typed)
{
    Found found;
    found.product = firstProduct(catalogue, CatalogueSql::ByDescription,
                                 QLatin1Char('%') + TextForms::trimBlanks(typed) + QLatin1Char('%'));
    if (!found.product.eof())
        return found;
    // Last, the first product in the catalogue's order whose description holds the text with
    // letter case and accents aside; the box then shows that description. The list of every
    // description tells first whether any does, and which.
    const QString key = MatchKey::of(TextForms::trimBlanks(typed), MatchKey::Kind::LetterCaseAndAccents);
    if (key.isEmpty())
        return found;
    QVariantList descriptions;
    for (qsizetype i = 0; i < catalogue.DescRows.size(); ++i) {
        if (!catalogue.DescRows.isNull(i) &&
            MatchKey::of(catalogue.DescRows.stored(i), MatchKey::Kind::LetterCaseAndAccents).contains(key))
            descriptions.append(catalogue.DescRows.at(i));
    }
    constexpr qsizetype kFewDescriptions = 200;
    if (descriptions.isEmpty())
        return found;
    ForwardResult result =
        descriptions.size() <= kFewDescriptions
            ? ForwardResult::execute(catalogue.connection(),
                                     CatalogueSql::anyOf(CatalogueSql::ByDescriptions,
                                                         QStringLiteral("Descriçao = ?"),
                                                         descriptions.size()),
                                     descriptions)
            : ForwardResult::execute(catalogue.connection(), CatalogueSql::ByDescriptionAccentsAside, {key});
    const ProductRecord aside = ProductRecord::firstRowOf(result);
    result.close();
    if (!aside.eof()) {
        found.product = aside;
        found.entry =
            TextForms::trimBlanks(TextForms::asText(aside.field(QStringLiteral("Descriçao")), QLocale()));
    }
    return found;
}

} // namespace HouseLookup
