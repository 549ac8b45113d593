#pragma once

class CachedList;
class ComboBox;

// Fills the drop-down lists of the search window from catalogue lists, each with the entry
// rule and order of its box; the reference boxes offer entries by their beginning while the
// user types, the description box by the words typed.
namespace ComboLists {

void fillHouseReferences(ComboBox* combo, const CachedList& list);
void fillDescriptions(ComboBox* combo, const CachedList& list);
void fillCompetitorReferences(ComboBox* combo, const CachedList& list);
// Starts making the entries of a long reference list while the handler runs its other queries.
void prepareCompetitorReferences(const CachedList& list);
void fillFamilies(ComboBox* combo, const CachedList& list);
void fillManufacturers(ComboBox* combo, const CachedList& list);

} // namespace ComboLists
