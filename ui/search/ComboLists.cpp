#include "ComboLists.h"

#include "ComboBox.h"

namespace ComboLists {

void fill(ComboBox* combo, const BoxList& list)
{
    combo->setOfferMatch(list.match);
    combo->setEntries(list.entries, list.offers);
}

} // namespace ComboLists
