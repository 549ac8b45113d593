#include "TypedEntries.h"

#include "EntryIndex.h"
#include "Module1.h"
#include "OpenCatalogue.h"
#include "base/ScrambleText.h"

#include <array>
#include <memory>

namespace {

enum Kept
{
    Manufacturers,
    CompetitorReferences,
    CompetitorReferencesAside,
    HouseReferencesAside,
};

// Each index is made when first needed and kept while its list is the current one; every
// window uses the same.
const EntryIndex& index(Kept which, const CachedList::Entries& entries, EntryIndex::Key key)
{
    static std::array<std::shared_ptr<const EntryIndex>, 4> kept;
    std::shared_ptr<const EntryIndex>& slot = kept[size_t(which)];
    if (!slot || slot->entries() != entries)
        slot = std::make_shared<const EntryIndex>(entries, key);
    return *slot;
}

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

CachedList::Entries competitorReferences()
{
    return OpenedCompetitorReferences().entries(EntryRule::TrimmedAndScrambled, true);
}

} // namespace

namespace TypedEntries {

QStringList storedManufacturers(const QString& typed)
{
    return storedForms(typed, index(Manufacturers,
                                    OpenedManufacturers().entries(EntryRule::TrimmedAndScrambled, false),
                                    EntryIndex::Key::LetterCase));
}

QStringList storedCompetitorReferences(const QString& typed)
{
    return storedForms(typed,
                       index(CompetitorReferences, competitorReferences(), EntryIndex::Key::LetterCase));
}

QString competitorReferenceAside(const QString& typed)
{
    return onlyOther(typed, index(CompetitorReferencesAside, competitorReferences(),
                                  EntryIndex::Key::LetterCaseAndSeparators));
}

QString houseReferenceAside(const QString& typed)
{
    return onlyOther(typed,
                     index(HouseReferencesAside, Module1::HouseRefRows.entries(EntryRule::AsStored, true),
                           EntryIndex::Key::LetterCaseAndSeparators));
}

} // namespace TypedEntries
