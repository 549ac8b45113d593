#include "HouseLookup.h"

#include "AnyOfSql.h"
#include "Catalogue.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "MatchKey.h"
#include "TextForms.h"
#include "TypedEntries.h"
#include "TypedWords.h"

#include <QLocale>

#include <algorithm>
#include <vector>

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

// The descriptions of the list whose key with letter case and accents aside holds the text's key,
// and, while none does, those whose key holds every word of the text.
struct Holding
{
    QVariantList text;
    QVariantList words;
};

Holding holdingDescriptions(const CachedList& descriptions, const QString& key, const TypedWords& words)
{
    Holding holding;
    std::vector<char16_t> folded; // one buffer for every description's key
    for (qsizetype i = 0; i < descriptions.size(); ++i) {
        if (descriptions.isNull(i))
            continue;
        const QStringView stored = descriptions.stored(i);
        folded.resize(std::max(folded.size(), 2 * size_t(stored.size())));
        const QStringView described(
            folded.data(), MatchKey::append(stored, MatchKey::Kind::LetterCaseAndAccents, folded.data()));
        if (described.contains(key))
            holding.text.append(descriptions.at(i));
        else if (holding.text.isEmpty() && words.heldBy(described))
            holding.words.append(descriptions.at(i));
    }
    return holding;
}

// The first product, in the catalogue's order, of the descriptions found: asked by the
// descriptions themselves when they are few, else of every product by the test that found them.
ProductRecord firstHolding(const Catalogue& catalogue, const QVariantList& descriptions,
                           const QString& everyProduct, const QString& value)
{
    constexpr qsizetype kFewDescriptions = 200;
    if (descriptions.isEmpty())
        return ProductRecord();
    ForwardResult result = descriptions.size() <= kFewDescriptions
                               ? ForwardResult::execute(catalogue.connection(),
                                                        CatalogueSql::anyOf(CatalogueSql::ByDescriptions,
                                                                            QStringLiteral("Descriçao = ?"),
                                                                            descriptions.size()),
                                                        descriptions)
                               : ForwardResult::execute(catalogue.connection(), everyProduct, {value});
    ProductRecord product = ProductRecord::firstRowOf(result);
    result.close();
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
    const QString trimmed = TextForms::trimBlanks(typed);
    found.product =
        firstProduct(catalogue, CatalogueSql::ByDescription, QLatin1Char('%') + trimmed + QLatin1Char('%'));
    if (!found.product.eof())
        return found;
    // Then, with letter case and accents aside, the first product in the catalogue's order whose
    // description holds the text, or else every word of it (what the box offers); the box then
    // shows that description. The list of every description tells first whether any does, and which.
    const QString key = MatchKey::of(trimmed, MatchKey::Kind::LetterCaseAndAccents);
    if (key.isEmpty())
        return found;
    const Holding holding = holdingDescriptions(catalogue.DescRows, key, TypedWords(trimmed));
    ProductRecord aside = firstHolding(catalogue, holding.text, CatalogueSql::ByDescriptionAccentsAside, key);
    if (aside.eof())
        aside = firstHolding(catalogue, holding.words, CatalogueSql::ByDescriptionWordsAside, trimmed);
    if (!aside.eof()) {
        found.product = aside;
        found.entry =
            TextForms::trimBlanks(TextForms::asText(aside.field(QStringLiteral("Descriçao")), QLocale()));
    }
    return found;
}

} // namespace HouseLookup
