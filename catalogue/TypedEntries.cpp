#include "TypedEntries.h"

#include "Catalogue.h"
#include "MatchKey.h"
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

// The one entry a text names with letter case and accents aside, or with the separators too; a
// blank before or after the text never hides it.
QString onlyListed(const QString& typed, const EntryIndex& entries)
{
    const QStringList same = entries.equalTexts(typed.trimmed());
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

QString manufacturerAccentsAside(Catalogue& catalogue, const QString& typed)
{
    return onlyListed(typed, catalogue.matchIndex(Catalogue::Match::ManufacturersAccentsAside));
}

QString familyAccentsAside(Catalogue& catalogue, const QString& typed)
{
    return onlyListed(typed, catalogue.matchIndex(Catalogue::Match::FamiliesAccentsAside));
}

QString competitorReferenceAccentsAside(Catalogue& catalogue, const QString& typed)
{
    return onlyListed(typed, catalogue.matchIndex(Catalogue::Match::CompetitorReferencesAccentsAside));
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
