#pragma once

class CachedList;
class ComboBox;

// Fills the drop-down lists of the search window from catalogue lists, each with the entry
// rule and order of its box.
namespace ComboLists {

void fillHouseReferences(ComboBox* combo, const CachedList& list);
void fillDescriptions(ComboBox* combo, const CachedList& list);
void fillCompetitorReferences(ComboBox* combo, const CachedList& list);
void fillFamilies(ComboBox* combo, const CachedList& list);
void fillManufacturers(ComboBox* combo, const CachedList& list);

} // namespace ComboLists
