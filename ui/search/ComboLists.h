#pragma once

#include "catalogue/ListQuery.h"

class CachedList;
class ComboBox;
class Connection;

// Fills the drop-down lists of the search window from catalogue lists, each with the entry
// rule and order of its box; the reference boxes offer entries by their beginning while the
// user types, the description box by the words typed.
namespace ComboLists {

void fillHouseReferences(ComboBox* combo, const CachedList& list);
void fillDescriptions(ComboBox* combo, const CachedList& list);
void fillCompetitorReferences(ComboBox* combo, const CachedList& list);
// Reads a list of competitor references, their entries made while it is read.
ListQuery readCompetitorReferences(const Connection* conn, const QString& sql, const QVariantList& values);
void fillFamilies(ComboBox* combo, const CachedList& list);
void fillManufacturers(ComboBox* combo, const CachedList& list);

} // namespace ComboLists
