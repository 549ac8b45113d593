#include "OpenCatalogue.h"

#include "AccessConversion.h"
#include "CatalogueFile.h"
#include "CatalogueSql.h"
#include "ForwardResult.h"
#include "HouseBrands.h"
#include "ListQuery.h"
#include "Module1.h"
#include "OpeningListsFile.h"

namespace {

bool failOpening(Catalogue& catalogue, OpeningFailure::Reason reason, const QString& found = QString())
{
    catalogue.fail(reason, found);
    return false;
}

// A file that opened as a catalogue but whose reading failed: what the engine found is the reason.
bool failDamaged(Catalogue& catalogue)
{
    catalogue.fail(OpeningFailure::Reason::Damaged, QString(), catalogue.Conn.lastError());
    return false;
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

// The competitor references, by far the longest list, are read on the catalogue's second
// connection while the other lists are read on Conn: the reading takes the time of the longest
// list. A list read unchanged is the last one, with its entries.
Job<ListQuery> readCompetitorsApart(Catalogue& catalogue, const QVariantList& houseBrands)
{
    return catalogue.workApart([houseBrands, last = catalogue.OpenedRefRows,
                                cancel = catalogue.work().cancelFlag()](const Connection* apart) {
        ListQuery query = ListQuery::run(apart, CatalogueSql::CompetitorReferences, houseBrands, cancel);
        if (query.ok && query.rows.hasSameValues(last))
            query.rows = last;
        return query;
    });
}

// Where the lists of an opening come from, each read when its turn comes.
struct ListSources
{
    std::function<ListQuery()> houseReferences;
    std::function<ListQuery()> descriptions;
    std::function<ListQuery()> families;
    std::function<ListQuery()> companies;
    std::function<ListQuery()> competitorReferences;
};

// The lists take their new values in the designed order all the same: the lists after a failing
// one keep their previous values.
bool takeLists(Catalogue& catalogue, const ListSources& read, const std::function<void()>& whileReading)
{
    if (!takeList(catalogue, read.houseReferences(), ListKind::HouseReferences, &catalogue.HouseRefRows) ||
        !takeList(catalogue, read.descriptions(), ListKind::Descriptions, &catalogue.DescRows))
        return false;
    CachedList families = catalogue.OpenedFamRows;
    CachedList companies = catalogue.OpenedCompRows;
    const bool familiesRead = takeList(catalogue, read.families(), ListKind::Families, &families);
    const bool companiesRead =
        familiesRead && takeList(catalogue, read.companies(), ListKind::Manufacturers, &companies);
    if (whileReading)
        whileReading();
    CachedList references = catalogue.OpenedRefRows;
    if (!takeList(catalogue, read.competitorReferences(), ListKind::CompetitorReferences, &references) ||
        !familiesRead)
        return false;
    catalogue.RefRows = catalogue.OpenedRefRows = references;
    catalogue.FamRows = catalogue.OpenedFamRows = families;
    if (!companiesRead)
        return false;
    catalogue.CompRows = catalogue.OpenedCompRows = companies;
    return true;
}

// The version row is optional: each text that cannot be read keeps its previous value. `values`
// are the row's, named by `names`; none when there is no row.
void takeVersionTexts(Catalogue& catalogue, const QStringList& names, const QVariantList& values)
{
    if (values.size() >= 3)
        catalogue.VersionText = values[0].toString() + QLatin1Char(' ') + values[1].toString() +
                                QLatin1Char(' ') + values[2].toString();
    const auto readText = [&](const QString& name, QString* text) {
        for (qsizetype column = 0; column < names.size() && column < values.size(); ++column) {
            if (names[column].compare(name, Qt::CaseInsensitive) == 0) {
                *text = values[column].toString();
                return;
            }
        }
    };
    readText(QStringLiteral("TituloLink"), &catalogue.LinkTitle);
    readText(QStringLiteral("LinkPrograma"), &catalogue.LinkTarget);
    readText(QStringLiteral("DicaParaLink"), &catalogue.LinkHint);
}

void readVersionTexts(Catalogue& catalogue)
{
    ForwardResult version = ForwardResult::execute(&catalogue.Conn, CatalogueSql::Version);
    const QStringList names = version.fieldNames();
    QVariantList values;
    for (int column = 0; !version.eof() && column < names.size(); ++column)
        values.append(version.field(column));
    takeVersionTexts(catalogue, names, values);
    version.close();
}

// Opens the catalogue on the lists an unfinished conversion wrote; its connection opens once the
// copy is finished. False, with nothing taken, when the lists file cannot be read.
bool openOnLists(Catalogue& catalogue, std::unique_ptr<AccessConversion>& conversion,
                 const std::function<void()>& whileReading)
{
    const QString path = conversion->listsPath();
    const QString part = conversion->partPath();
    const Job<OpeningListsFile> reading =
        catalogue.work().start([path, part] { return OpeningListsFile::read(path, part); });
    if (whileReading)
        whileReading();
    const OpeningListsFile file = reading.take();
    if (!file.ok)
        return false;
    const auto fromFile = [&file](int list) {
        return [&file, list] {
            ListQuery query;
            query.ok = true;
            query.rows = file.lists[list];
            return query;
        };
    };
    takeLists(catalogue,
              {fromFile(OpeningLists::indexOf(ListKind::HouseReferences)),
               fromFile(OpeningLists::indexOf(ListKind::Descriptions)),
               fromFile(OpeningLists::indexOf(ListKind::Families)),
               fromFile(OpeningLists::indexOf(ListKind::Manufacturers)),
               fromFile(OpeningLists::indexOf(ListKind::CompetitorReferences))},
              {});
    // "Select Count(Referencia)" counts the references that are not null, the entries as stored.
    catalogue.RecCount = QVariant(qint64(catalogue.HouseRefRows.entryCount(EntryRule::AsStored)));
    QVariantList version;
    for (const QString& value : file.version)
        version.append(value);
    takeVersionTexts(catalogue, OpeningListsFile::versionColumns(), version);
    catalogue.setOpened(Catalogue::State::OnLists);
    catalogue.continueConversion(std::move(conversion));
    return true;
}

} // namespace

bool OpenCatalogue(const std::function<void()>& whileReading, OpeningWait wait)
{
    // The last catalogue's connection closes first, so that its file can be replaced or deleted.
    return OpenCatalogueFile(Module1::Replace(), Module1::DatabasePath, whileReading, wait);
}

bool OpenCatalogueFile(Catalogue& catalogue, const QString& path, const std::function<void()>& whileReading,
                       OpeningWait wait)
{
    catalogue.begin(path);
    CatalogueFile::Served served = CatalogueFile::sqliteFileFor(
        path,
        wait == OpeningWait::UntilListsAreIn ? AccessCatalogue::CopyWait::UntilListsAreIn
                                             : AccessCatalogue::CopyWait::UntilWhole,
        &catalogue.work());
    if (served.path.isEmpty())
        return failOpening(catalogue, served.failure.reason, served.failure.found);
    catalogue.holdCopy(std::move(served.copy.use));
    const QString sqlitePath = served.path;
    std::unique_ptr<AccessConversion> unfinished = std::move(served.copy.unfinished);
    std::function<void()> stillToDo = whileReading;
    if (unfinished) {
        if (openOnLists(catalogue, unfinished, stillToDo))
            return true;
        // Lists that cannot be read are read from the copy once it is finished.
        stillToDo = {};
        unfinished->waitForEnd();
        if (!unfinished->succeeded())
            return failOpening(catalogue, OpeningFailure::Reason::NotConverted, unfinished->failure());
        unfinished.reset();
    }
    if (!catalogue.openConnections(sqlitePath))
        return failDamaged(catalogue);
    // Open from here on as the design has it; a list that cannot be read fails it again.
    catalogue.setOpened();
    const QVariantList houseBrands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    const Job<ListQuery> competitors = readCompetitorsApart(catalogue, houseBrands);

    catalogue.RecCount = 0;
    ForwardResult count = ForwardResult::execute(&catalogue.Conn, CatalogueSql::CountHouseReferences);
    if (count.eof())
        return failDamaged(catalogue);
    catalogue.RecCount = count.field(0);
    count.close();

    const ListSources fromCatalogue{
        [&] { return readList(catalogue, CatalogueSql::HouseReferences); },
        [&] { return readList(catalogue, CatalogueSql::Descriptions); },
        [&] { return readList(catalogue, CatalogueSql::Families); },
        [&] { return readList(catalogue, CatalogueSql::Manufacturers, houseBrands); },
        [&] { return competitors.take(); },
    };
    if (!takeLists(catalogue, fromCatalogue, stillToDo))
        return failDamaged(catalogue);

    readVersionTexts(catalogue);
    catalogue.readManufacturersAhead();
    return true;
}
