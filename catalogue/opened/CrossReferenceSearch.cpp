#include "CrossReferenceSearch.h"

#include "AnyOfSql.h"
#include "Catalogue.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "HouseBrands.h"
#include "ListQuery.h"
#include "ScrambleText.h"
#include "TextForms.h"
#include "TypedEntries.h"

#include <QLocale>

namespace CrossReferenceSearch {

namespace {

const QString kCompany = QStringLiteral("COMPANY = ?");

// A list a filter read, for a box of that kind; one with rows also becomes the shared list that
// later windows start from.
BoxList takeShared(Catalogue& catalogue, const ListQuery& query, ListKind kind, CachedList* shared)
{
    if (query.ok)
        catalogue.RecCount = qlonglong(query.rows.size());
    if (query.ok && !query.rows.isEmpty())
        *shared = query.rows;
    return catalogue.boxList(query.rows, kind);
}

BoxList readShared(Catalogue& catalogue, const QString& sql, const QVariantList& values, ListKind kind,
                   CachedList* shared)
{
    return takeShared(catalogue, ListQuery::run(catalogue.connection(), sql, values), kind, shared);
}

BoxList takeReferences(Catalogue& catalogue, const ListQuery& query)
{
    return takeShared(catalogue, query, ListKind::CompetitorReferences, &catalogue.RefRows);
}

BoxList readReferences(Catalogue& catalogue, const QString& sql, const QVariantList& values)
{
    return takeReferences(catalogue, ListQuery::run(catalogue.connection(), sql, values));
}

bool exists(const Catalogue& catalogue, const QString& sql, const QVariantList& values)
{
    ForwardResult check = ForwardResult::execute(catalogue.connection(), sql, values);
    const bool found = !check.eof();
    check.close();
    return found;
}

// The stored values a query looks for, then its other values.
QVariantList valuesOf(const QStringList& stored, const QVariantList& others = {})
{
    QVariantList values(stored.begin(), stored.end());
    return values + others;
}

QString shownText(const QVariant& value)
{
    return TextForms::asText(value, QLocale());
}

// A field as a query value: trimmed, without quotes.
QString queryText(const QVariant& value)
{
    return TextForms::withoutQuotes(TextForms::trimBlanks(shownText(value)));
}

// A manufacturer's references, as read ahead when they were.
ListQuery competitorsReferences(Catalogue& catalogue, const QStringList& competitors)
{
    if (std::optional<CachedList> read = catalogue.manufacturerReferences().readAlready(competitors))
        return ListQuery{true, *read};
    return ListQuery::run(catalogue.connection(), CatalogueSql::referencesOfCompetitors(competitors.size()),
                          valuesOf(competitors));
}

// The competitor's rows that a reference names, the first on the result's current row.
ForwardResult competitorRow(Catalogue& catalogue, const QString& typed)
{
    const QStringList references = TypedEntries::storedCompetitorReferences(catalogue, typed);
    return ForwardResult::execute(catalogue.connection(),
                                  CatalogueSql::anyOf(CatalogueSql::CompetitorReferenceRows,
                                                      QStringLiteral("RELATIONS.REFERENCE = ?"),
                                                      references.size()),
                                  valuesOf(references));
}

Filtered filterByManufacturer(Catalogue& catalogue, const QString& manufacturer, const QString& family)
{
    const QStringList manufacturers = TypedEntries::storedManufacturers(catalogue, manufacturer);
    const qsizetype count = manufacturers.size();
    const bool inFamily = !family.isEmpty();
    // The house brands' own references are never listed.
    const QStringList competitors = HouseBrands::withoutHouseBrands(manufacturers);

    Filtered filtered;
    filtered.references =
        inFamily
            ? readReferences(
                  catalogue,
                  CatalogueSql::anyOf(CatalogueSql::ReferencesOfManufacturerInFamily, kCompany, count),
                  valuesOf(manufacturers, {family, HouseBrands::storedQV(), HouseBrands::storedVestral()}))
            : takeReferences(catalogue, competitorsReferences(catalogue, competitors));
    const BoxList families = readShared(catalogue, CatalogueSql::familiesOfManufacturers(count),
                                        valuesOf(manufacturers), ListKind::Families, &catalogue.FamRows);

    if (!exists(catalogue, CatalogueSql::anyOf(CatalogueSql::FamilyRowsOfManufacturer, kCompany, count),
                valuesOf(manufacturers))) {
        filtered.message = QStringLiteral("Fabricante não existe");
        return filtered;
    }
    // With a family chosen, the family list stays as the user chose from it; only the references
    // are narrowed to that family.
    if (!inFamily) {
        filtered.refillsFamilies = true;
        filtered.families = families;
    }
    return filtered;
}

Filtered filterByFamily(Catalogue& catalogue, const QString& manufacturer, const QString& family)
{
    const QVariantList houseBrands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    Filtered filtered;
    if (!manufacturer.isEmpty()) {
        const QStringList manufacturers = TypedEntries::storedManufacturers(catalogue, manufacturer);
        filtered.references =
            readReferences(catalogue,
                           CatalogueSql::anyOf(CatalogueSql::ReferencesOfManufacturerInFamily, kCompany,
                                               manufacturers.size()),
                           valuesOf(manufacturers, QVariantList{family} + houseBrands));
    } else {
        // The family's manufacturers are read beside its references.
        const QVariantList values = QVariantList{family} + houseBrands;
        const Job<ListQuery> manufacturers = catalogue.workApart([values](const Connection* apart) {
            return ListQuery::run(apart, CatalogueSql::ManufacturersOfFamily, values);
        });
        filtered.references = readReferences(catalogue, CatalogueSql::ReferencesInFamilyByMaker, values);
        filtered.manufacturers =
            takeShared(catalogue, manufacturers.take(), ListKind::Manufacturers, &catalogue.CompRows);
        filtered.refillsManufacturers = true;
    }
    if (!exists(catalogue, CatalogueSql::FamilyNamed, {family})) {
        filtered.message = QStringLiteral("Familia não existe");
        filtered.refillsManufacturers = false;
    }
    return filtered;
}

// The whole list a box of this kind is matched against, and its index with accents aside.
struct Listed
{
    CachedList Catalogue::*list;
    ListKind kind;
    Catalogue::Match accentsAside;
};
constexpr Listed kManufacturers{&Catalogue::OpenedCompRows, ListKind::Manufacturers,
                                Catalogue::Match::ManufacturersAccentsAside};
constexpr Listed kFamilies{&Catalogue::OpenedFamRows, ListKind::Families,
                           Catalogue::Match::FamiliesAccentsAside};

// A value that does not exist as typed is, last, the one entry it names with accents aside, or
// else the one entry the box offers for it.
template <typename Filter>
Filtered withLastResort(Filter filter, const Listed& listed, Catalogue& catalogue, const QString& typed)
{
    Filtered filtered = filter(typed);
    if (filtered.message.isEmpty())
        return filtered;
    QString entry = TypedEntries::entryAside(catalogue, listed.accentsAside, typed);
    if (entry.isEmpty())
        entry = TypedEntries::offeredEntry(catalogue, catalogue.*listed.list, listed.kind, typed);
    if (entry.isEmpty() || entry == typed)
        return filtered;
    filtered = filter(entry);
    filtered.entry = entry;
    return filtered;
}

} // namespace

Filtered FilterByManufacturer(Catalogue& catalogue, const QString& manufacturer, const QString& family)
{
    return withLastResort(
        [&](const QString& typed) { return filterByManufacturer(catalogue, typed, family); }, kManufacturers,
        catalogue, manufacturer);
}

Filtered FilterByFamily(Catalogue& catalogue, const QString& manufacturer, const QString& family)
{
    return withLastResort(
        [&](const QString& typed) { return filterByFamily(catalogue, manufacturer, typed); }, kFamilies,
        catalogue, family);
}

Resolution ResolveCompetitorReference(Catalogue& catalogue, const QString& typed)
{
    Resolution resolution;
    ForwardResult row = competitorRow(catalogue, typed);
    if (row.eof()) {
        row.close();
        // Written with other separators, or last without its accents, the one reference it can
        // be is looked up as if chosen.
        for (const Catalogue::Match index : {Catalogue::Match::CompetitorReferencesAside,
                                             Catalogue::Match::CompetitorReferencesAccentsAside}) {
            resolution.entry = TypedEntries::entryAside(catalogue, index, typed);
            if (!resolution.entry.isEmpty()) {
                row = competitorRow(catalogue, resolution.entry);
                break;
            }
        }
    }
    if (row.eof()) {
        row.close();
        resolution.message = QStringLiteral("Referência não existe");
        return resolution;
    }

    resolution.referenceFound = true;
    resolution.family = shownText(row.field(QStringLiteral("DESCRIPTION")));
    resolution.company = ScrambleText(TextForms::trimBlanks(shownText(row.field(QStringLiteral("COMPANY")))));
    const QString familyCode = queryText(row.field(QStringLiteral("FAMILY")));
    // The group number is compared as a number; its text form is what a text value gives.
    const QVariant groupValue = row.field(QStringLiteral("REFERENCE_SET"));
    const QVariant group = groupValue.typeId() == QMetaType::QString || groupValue.isNull()
                               ? QVariant(queryText(groupValue))
                               : groupValue;
    resolution.notes = ScrambleText(shownText(row.field(QStringLiteral("Detalhes"))));
    row.close();

    ForwardResult equivalent = ForwardResult::execute(catalogue.connection(), CatalogueSql::HouseEquivalent,
                                                      {group, familyCode, HouseBrands::storedQV()});
    if (equivalent.eof())
        equivalent = ForwardResult::execute(catalogue.connection(), CatalogueSql::HouseEquivalent,
                                            {group, familyCode, HouseBrands::storedVestral()});
    if (equivalent.eof()) {
        resolution.message = QStringLiteral("Referência não existe");
        return resolution;
    }
    resolution.equivalentFound = true;
    resolution.houseReference = ScrambleText(shownText(equivalent.field(QStringLiteral("REFERENCE"))));
    resolution.houseNotes = ScrambleText(shownText(equivalent.field(QStringLiteral("Detalhes"))));
    return resolution;
}

} // namespace CrossReferenceSearch
