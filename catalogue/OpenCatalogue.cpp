#include "OpenCatalogue.h"

#include "BackgroundWork.h"
#include "CatalogueFile.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "ListQuery.h"
#include "Module1.h"
#include "base/HouseBrands.h"

namespace {

bool failOpening()
{
    Module1::DatabaseOpened = false;
    return false;
}

// The lists as the last opening read them. A list read again unchanged (F2, testing the
// same catalogue) is taken from here, with the entries already made for the windows.
struct OpenedList
{
    CachedList rows;
    EntryRule rule;
    bool sorted;
};

OpenedList& opened(int which)
{
    static OpenedList lists[] = {{CachedList(), EntryRule::AsStored, true},
                                 {CachedList(), EntryRule::Trimmed, true},
                                 {CachedList(), EntryRule::TrimmedAndScrambled, true},
                                 {CachedList(), EntryRule::Trimmed, false},
                                 {CachedList(), EntryRule::TrimmedAndScrambled, false}};
    return lists[which];
}

// Takes one list as read. A list read unchanged keeps the entries made last time; the entries
// of a new long list are made beside the reading of the others and the building of the windows.
bool takeList(int which, ListQuery query, CachedList* list)
{
    if (!query.ok)
        return false;
    OpenedList& last = opened(which);
    if (!query.rows.hasSameValues(last.rows)) {
        last.rows = std::move(query.rows);
        last.rows.prepareEntries(last.rule, last.sorted);
    }
    *list = last.rows;
    return true;
}

ListQuery readList(const QString& sql, const QVariantList& values = {})
{
    return ListQuery::run(Module1::Conn.get(), sql, values);
}

// The competitor references, by far the longest list, are read on a connection of their own
// while the other lists are read on Conn: the reading takes the time of the longest list.
BackgroundWork<ListQuery> readCompetitorsApart(const QString& sqlitePath, const QVariantList& houseBrands)
{
    return BackgroundWork<ListQuery>([sqlitePath, houseBrands] {
        Connection own;
        if (!own.open(sqlitePath))
            return ListQuery();
        return ListQuery::run(&own, CatalogueSql::CompetitorReferences, houseBrands);
    });
}

// The version row is optional: each text that cannot be read keeps its previous value.
void readVersionTexts()
{
    ForwardResult version = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::Version);
    const QVariant first = version.field(0);
    const QVariant second = version.field(1);
    const QVariant third = version.field(2);
    if (first.isValid() && second.isValid() && third.isValid())
        Module1::VersionText = first.toString() + QLatin1Char(' ') + second.toString() + QLatin1Char(' ')
                               + third.toString();
    const auto readText = [&](const QString& name, QString* text) {
        const QVariant value = version.field(name);
        if (value.isValid())
            *text = value.toString();
    };
    readText(QStringLiteral("TituloLink"), &Module1::LinkTitle);
    readText(QStringLiteral("LinkPrograma"), &Module1::LinkTarget);
    readText(QStringLiteral("DicaParaLink"), &Module1::LinkHint);
    version.close();
}

} // namespace

bool OpenCatalogue()
{
    // The previous connection is closed, so that its file can be replaced or deleted.
    Module1::Conn = std::make_shared<Connection>();

    const QString sqlitePath = CatalogueFile::sqlitePathFor(Module1::DatabasePath);
    if (sqlitePath.isEmpty() || !Module1::Conn->open(sqlitePath))
        return failOpening();
    Module1::DatabaseOpened = true;
    const QVariantList houseBrands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    const BackgroundWork<ListQuery> competitors = readCompetitorsApart(sqlitePath, houseBrands);

    Module1::RecCount = 0;
    ForwardResult count = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::CountHouseReferences);
    if (count.eof())
        return failOpening();
    Module1::RecCount = count.field(0);
    count.close();

    // The lists take their new values in the designed order all the same: the lists after a
    // failing one keep their previous values.
    if (!takeList(0, readList(CatalogueSql::HouseReferences), &Module1::HouseRefRows) ||
        !takeList(1, readList(CatalogueSql::Descriptions), &Module1::DescRows))
        return failOpening();
    CachedList families;
    CachedList companies;
    const bool familiesRead = takeList(3, readList(CatalogueSql::Families), &families);
    const bool companiesRead =
        familiesRead && takeList(4, readList(CatalogueSql::Companies, houseBrands), &companies);
    if (!takeList(2, competitors.take(), &Module1::RefRows) || !familiesRead)
        return failOpening();
    Module1::FamRows = families;
    if (!companiesRead)
        return failOpening();
    Module1::CompRows = companies;

    readVersionTexts();
    return true;
}

const CachedList& OpenedCompetitorReferences()
{
    return opened(2).rows;
}

const CachedList& OpenedManufacturers()
{
    return opened(4).rows;
}
