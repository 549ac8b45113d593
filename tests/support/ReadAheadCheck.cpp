#include "ReadAheadCheck.h"

#include "catalogue/engine/AnyOfSql.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/opened/Catalogue.h"

ReadAheadCheck ReadAheadCheck::of(const Catalogue& catalogue, const QStringList& competitors)
{
    catalogue.manufacturerReferences().waitUntilRead();
    ReadAheadCheck check;
    check.read = catalogue.manufacturerReferences().readAlready(competitors);
    if (!competitors.isEmpty())
        check.asked =
            ListQuery::run(catalogue.connection(), CatalogueSql::referencesOfCompetitors(competitors.size()),
                           QVariantList(competitors.begin(), competitors.end()));
    return check;
}
