#include "TypedEntries.h"

#include "Catalogue.h"
#include "MatchKey.h"
#include "ScrambleText.h"

namespace {

// The typed text's own form stays first: what it found before (a house reference typed into the
// competitor box, which no list holds) it still finds.
QStringList storedForms(const QString& typed, const EntryIndex& entries)
{
    QStringList stored{ScrambleText(typed)};
    const QStringList same = entries.equalTexts(typed);
    if (same.contains(typed))
        return stored;
    for (const QString& entry : same)
        stored.append(ScrambleText(entry));
    return stored;
}

} // namespace

namespace TypedEntries {

QStringList storedManufacturers(Catalogue& catalogue, const QString& typed)
{
    return storedForms(typed, catalogue.matchIndex(Catalogue::Match::Manufacturers));
}

QStringList storedCompetitorReferences(Catalogue& catalogue, const QString& typed)
{
    return storedForms(typed, catalogue.matchIndex(Catalogue::Match::CompetitorReferences));
}

QString entryAside(Catalogue& catalogue, Catalogue::Match index, const QString& typed)
{
    // A blank before or after the text is a separator or stands outside the entry: it never
    // hides one.
    const QStringList same = catalogue.matchIndex(index).equalTexts(typed.trimmed());
    return same.size() == 1 && same.first() != typed ? same.first() : QString();
}

QString offeredEntry(Catalogue& catalogue, const CachedList& list, ListKind kind, const QString& typed)
{
    const BoxList box = catalogue.boxList(list, kind);
    if (!box.offers || typed.size() < Offers::FewestTyped)
        return QString();
    // Two asked for: enough to tell one from several.
    const std::vector<qsizetype> offered = box.offers->find(typed, 2);
    const CachedList::Entries entries = box.entries.get();
    return offered.size() == 1 && entries ? entries->at(offered.front()).toString() : QString();
}

QString houseReferenceBeginning(const Catalogue& catalogue, const QString& typed)
{
    // In the order the list was read, the catalogue's order of references.
    const CachedList& references = catalogue.HouseRefRows;
    for (const MatchKey::Kind kind : {MatchKey::Kind::LetterCaseAndSeparators, MatchKey::Kind::Everything}) {
        const QString wanted = MatchKey::of(typed, kind);
        if (wanted.isEmpty())
            return QString();
        for (qsizetype i = 0; i < references.size(); ++i) {
            if (!references.isNull(i) && MatchKey::beginsWith(references.stored(i), wanted, kind))
                return references.at(i);
        }
    }
    return QString();
}

} // namespace TypedEntries
