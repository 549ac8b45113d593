#pragma once

#include "BoxList.h"

#include <QString>
#include <QVariant>

class Catalogue;

// The steps of the cross-reference search that the search window's handlers run: the
// manufacturer and family filters, and the resolution of a competitor reference to the maker's
// equivalent. Each runs its queries on the catalogue's connection, replaces the catalogue's
// shared lists as the filters do (a result with rows replaces its list, and sets RecCount), and
// answers with what the window shows: the boxes' new lists and the message it ends with.
namespace CrossReferenceSearch {

struct Filtered
{
    QString message; // when the chosen value does not exist, and nothing is refilled
    // The entry of the box's list the typed value was taken for with accents or blanks around
    // it aside, which the box then shows; empty when it was filtered as typed.
    QString entry;
    BoxList references;
    // The manufacturer filter without a family chosen refills the families; the family filter
    // without a manufacturer chosen refills the manufacturers.
    bool refillsFamilies = false;
    BoxList families;
    bool refillsManufacturers = false;
    BoxList manufacturers;
};

// `manufacturer` and `family` as typed or chosen in their boxes.
Filtered FilterByManufacturer(Catalogue& catalogue, const QString& manufacturer, const QString& family);
Filtered FilterByFamily(Catalogue& catalogue, const QString& manufacturer, const QString& family);

struct Resolution
{
    // The entry of the box's list that the typed text was taken for, written with other
    // separators or accents; empty when it was looked up as typed.
    QString entry;
    bool referenceFound = false;
    QString family;  // of the competitor's row, as shown
    QString company; // shown form
    QString notes;   // shown form
    bool equivalentFound = false;
    QString houseReference; // shown form
    QString houseNotes;
    QString message; // when the reference or its equivalent does not exist
};

Resolution ResolveCompetitorReference(Catalogue& catalogue, const QString& typed);

} // namespace CrossReferenceSearch
