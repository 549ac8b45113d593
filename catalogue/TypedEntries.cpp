#include "TypedEntries.h"

#include "Catalogue.h"
#include "base/ScrambleText.h"

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

QString onlyOther(const QString& typed, const EntryIndex& entries)
{
    const QStringList same = entries.equalTexts(typed);
    return same.size() == 1 && same.first() != typed ? same.first() : QString();
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

QString competitorReferenceAside(Catalogue& catalogue, const QString& typed)
{
    return onlyOther(typed, catalogue.matchIndex(Catalogue::Match::CompetitorReferencesAside));
}

QString houseReferenceAside(Catalogue& catalogue, const QString& typed)
{
    return onlyOther(typed, catalogue.matchIndex(Catalogue::Match::HouseReferencesAside));
}

} // namespace TypedEntries
