#pragma once

#include <QString>
#include <QStringList>

// What a text typed into a cross-reference or reference box stands for among the entries of
// that box's whole list, as the catalogue's last opening read it (not what a filter left in
// the box). Manufacturers and competitor references are compared in their shown form and
// looked up in their stored (scrambled) form.
//
// The lookups try, in this order:
// 1. the text as typed; when it is an entry exactly, nothing else;
// 2. for the manufacturer and competitor reference boxes, with it every entry that equals the
//    text when the case of every letter is aside (LetterCase; accents count);
// 3. for the two reference boxes, when those find nothing: the one entry that equals the text
//    when letter case and the separators (blank, "-", ".", "/", "_", "'") are aside, looked up
//    as if it had been chosen from the list. None, or two or more, and the lookup has found nothing;
//    the house reference box then takes the first reference, in the catalogue's order, that
//    begins with the text so;
// 4. last, with accents aside too: the one manufacturer or family (blanks around the text
//    aside), or competitor reference, that the text names; the first house reference that
//    begins with it;
// 5. for the manufacturer and family boxes, when still nothing: the entry that the box's offers
//    show for the text when they show that one alone.
#include "Catalogue.h"

namespace TypedEntries {

// The stored forms the manufacturer queries look for: the typed text's own, and those of the
// manufacturers it names with letter case aside when it is none of them exactly.
QStringList storedManufacturers(Catalogue& catalogue, const QString& typed);
// The same for a competitor reference.
QStringList storedCompetitorReferences(Catalogue& catalogue, const QString& typed);

// The one entry of that index's list that the text names, when it is another text than the
// typed one; empty otherwise.
QString entryAside(Catalogue& catalogue, Catalogue::Match index, const QString& typed);
// The entry of that list, as a box of that kind shows it, that the box's offers show for the
// text when they show one alone; empty when they show none, or two or more.
QString offeredEntry(Catalogue& catalogue, const CachedList& list, ListKind kind, const QString& typed);
// The first house reference, in the catalogue's order, that begins with the text with letter
// case and separators aside, or else with accents aside too; empty when none does.
QString houseReferenceBeginning(const Catalogue& catalogue, const QString& typed);

} // namespace TypedEntries
