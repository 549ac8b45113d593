#include "OpenCatalogue.h"

#include "CatalogueFile.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "ListQuery.h"
#include "Module1.h"
#include "base/HouseBrands.h"

namespace {

bool failOpening(Catalogue& catalogue)
{
    catalogue.close();
    return false;
}

// A file that opened as a catalogue but whose reading failed: what the engine found is the reason.
bool failDamaged(Catalogue& catalogue)
{
    catalogue.Failure.reason = OpeningFailure::Reason::Damaged;
    catalogue.Failure.found = catalogue.Conn.lastError();
    return failOpening(catalogue);
}

// Takes one list as read. A list read unchanged keeps the entries made for it last time; the
// entries of a new long list are made beside the reading of the others and the building of the
// windows.
bool takeList(Catalogue& catalogue, const ListQuery& query, ListKind kind, CachedList* list)
{
    if (!query.ok)
        return false;
    if (!query.rows.hasSameValues(*list))
        *list = query.rows;
    catalogue.prepareEntries(*list, kind);
    return true;
}

ListQuery readList(const Catalogue& catalogue, const QString& sql, const QVariantList& values = {})
{
    return ListQuery::run(&catalogue.Conn, sql, values);
}

// The competitor references, by far the longest list, are read on a connection of their own
// while the other lists are read on Conn: the reading takes the time of the longest list. A list
// read unchanged is the last one, with its entries. The job's connection closes when it ends.
Job<ListQuery> readCompetitorsApart(Catalogue& catalogue, const QString& sqlitePath,
                                    const QVariantList& houseBrands)
{
    return catalogue.work().start(
        [sqlitePath, houseBrands, last = catalogue.OpenedRefRows, cancel = catalogue.work().cancelFlag()] {
            Connection own;
            if (!own.open(sqlitePath))
                return ListQuery();
            ListQuery query = ListQuery::run(&own, CatalogueSql::CompetitorReferences, houseBrands, cancel);
            if (query.ok && query.rows.hasSameValues(last))
                query.rows = last;
            return query;
        });
}

// The version row is optional: each text that cannot be read keeps its previous value.
void readVersionTexts(Catalogue& catalogue)
{
    ForwardResult version = ForwardResult::execute(&catalogue.Conn, CatalogueSql::Version);
    const QVariant first = version.field(0);
    const QVariant second = version.field(1);
    const QVariant third = version.field(2);
    if (first.isValid() && second.isValid() && third.isValid())
        catalogue.VersionText =
            first.toString() + QLatin1Char(' ') + second.toString() + QLatin1Char(' ') + third.toString();
    const auto readText = [&](const QString& name, QString* text) {
        const QVariant value = version.field(name);
        if (value.isValid())
            *text = value.toString();
    };
    readText(QStringLiteral("TituloLink"), &catalogue.LinkTitle);
    readText(QStringLiteral("LinkPrograma"), &catalogue.LinkTarget);
    readText(QStringLiteral("DicaParaLink"), &catalogue.LinkHint);
    version.close();
}

} // namespace

bool OpenCatalogue(const std::function<void()>& whileReading)
{
    // The last catalogue's connection closes first, so that its file can be replaced or deleted.
    Catalogue& catalogue = Module1::Replace();

    catalogue.Failure.path = Module1::DatabasePath;
    const QString sqlitePath =
        CatalogueFile::sqlitePathFor(Module1::DatabasePath, &catalogue.Failure, catalogue.copyInUse());
    if (sqlitePath.isEmpty())
        return failOpening(catalogue);
    if (!catalogue.Conn.open(sqlitePath))
        return failDamaged(catalogue);
    catalogue.DatabaseOpened = true;
    const QVariantList houseBrands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    const Job<ListQuery> competitors = readCompetitorsApart(catalogue, sqlitePath, houseBrands);

    catalogue.RecCount = 0;
    ForwardResult count = ForwardResult::execute(&catalogue.Conn, CatalogueSql::CountHouseReferences);
    if (count.eof())
        return failDamaged(catalogue);
    catalogue.RecCount = count.field(0);
    count.close();

    // The lists take their new values in the designed order all the same: the lists after a
    // failing one keep their previous values.
    if (!takeList(catalogue, readList(catalogue, CatalogueSql::HouseReferences), ListKind::HouseReferences,
                  &catalogue.HouseRefRows) ||
        !takeList(catalogue, readList(catalogue, CatalogueSql::Descriptions), ListKind::Descriptions,
                  &catalogue.DescRows))
        return failDamaged(catalogue);
    CachedList families = catalogue.OpenedFamRows;
    CachedList companies = catalogue.OpenedCompRows;
    const bool familiesRead =
        takeList(catalogue, readList(catalogue, CatalogueSql::Families), ListKind::Families, &families);
    const bool companiesRead =
        familiesRead && takeList(catalogue, readList(catalogue, CatalogueSql::Companies, houseBrands),
                                 ListKind::Manufacturers, &companies);
    if (whileReading)
        whileReading();
    CachedList references = catalogue.OpenedRefRows;
    if (!takeList(catalogue, competitors.take(), ListKind::CompetitorReferences, &references) ||
        !familiesRead)
        return failDamaged(catalogue);
    catalogue.RefRows = catalogue.OpenedRefRows = references;
    catalogue.FamRows = catalogue.OpenedFamRows = families;
    if (!companiesRead)
        return failDamaged(catalogue);
    catalogue.CompRows = catalogue.OpenedCompRows = companies;

    readVersionTexts(catalogue);
    catalogue.Failure = OpeningFailure();
    return true;
}
