#include "ComboLists.h"

#include "ComboBox.h"
#include "catalogue/CachedList.h"

namespace ComboLists {

namespace {

constexpr EntryRule kCompetitorReferences = EntryRule::TrimmedAndScrambled;

} // namespace

void fillHouseReferences(ComboBox* combo, const CachedList& list)
{
    combo->setOfferMatch(OfferMatch::Beginning);
    combo->setEntries(list.entries(EntryRule::AsStored, true));
}

void fillDescriptions(ComboBox* combo, const CachedList& list)
{
    combo->setOfferMatch(OfferMatch::Words);
    combo->setEntries(list.entries(EntryRule::Trimmed, true));
}

void fillCompetitorReferences(ComboBox* combo, const CachedList& list)
{
    combo->setOfferMatch(OfferMatch::Beginning);
    combo->setEntries(list.entries(kCompetitorReferences, true));
}

ListQuery readCompetitorReferences(const Connection* conn, const QString& sql, const QVariantList& values)
{
    return ListQuery::run(conn, sql, values, kCompetitorReferences, true);
}

void fillFamilies(ComboBox* combo, const CachedList& list)
{
    combo->setEntries(list.entries(EntryRule::Trimmed, false));
}

void fillManufacturers(ComboBox* combo, const CachedList& list)
{
    combo->setEntries(list.entries(EntryRule::TrimmedAndScrambled, false));
}

} // namespace ComboLists
