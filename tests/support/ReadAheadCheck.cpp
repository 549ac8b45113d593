#include "ReadAheadCheck.h"

#include "catalogue/AnyOfSql.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSql.h"

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
