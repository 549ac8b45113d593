#include "OpenCatalogue.h"

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

// Reads one list; a list already read stays when a later one fails. Its entries are made
// here, once, so that opening a search window costs no pass over a long list.
bool readList(int which, const QString& sql, const QVariantList& values, CachedList* list)
{
    ListQuery query = ListQuery::run(Module1::Conn.get(), sql, values);
    if (!query.ok)
        return false;
    OpenedList& last = opened(which);
    if (!query.rows.hasSameValues(last.rows)) {
        last.rows = std::move(query.rows);
        last.rows.entries(last.rule, last.sorted);
    }
    *list = last.rows;
    return true;
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

    Module1::RecCount = 0;
    ForwardResult count = ForwardResult::execute(Module1::Conn.get(), CatalogueSql::CountHouseReferences);
    if (count.eof())
        return failOpening();
    Module1::RecCount = count.field(0);
    count.close();

    const QVariantList houseBrands{HouseBrands::storedQV(), HouseBrands::storedVestral()};
    if (!readList(0, CatalogueSql::HouseReferences, {}, &Module1::HouseRefRows)
        || !readList(1, CatalogueSql::Descriptions, {}, &Module1::DescRows)
        || !readList(2, CatalogueSql::CompetitorReferences, houseBrands, &Module1::RefRows)
        || !readList(3, CatalogueSql::Families, {}, &Module1::FamRows)
        || !readList(4, CatalogueSql::Companies, houseBrands, &Module1::CompRows))
        return failOpening();

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
