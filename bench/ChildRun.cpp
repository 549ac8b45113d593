#include "ChildRun.h"

#include "BareEngine.h"
#include "BenchQueries.h"
#include "KeyToPanel.h"
#include "Median.h"
#include "OfferRun.h"
#include "ProgramDriver.h"
#include "RefillTimer.h"
#include "base/ScrambleText.h"
#include "catalogue/engine/AnyOfSql.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/lists/EntryIndex.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/text/AlphabeticalOrder.h"
#include "ui/search/CatalogueCheck.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

using namespace BenchQueries;

namespace {

using Kind = Measurement::Kind;

// A filter's result as the engine gives it, kept to refill boxes with.
struct Result
{
    QStringList texts;
    std::vector<bool> nulls;
    qint64 nonNull() const { return qint64(std::count(nulls.begin(), nulls.end(), false)); }
};

Result read(const BareEngine& bare, const QString& sql, const QVariantList& values)
{
    Result result;
    bare.list(sql, values, &result.texts, &result.nulls);
    return result;
}

void fail(const char* what)
{
    std::fprintf(stderr, "check failed: %s\n", what);
}

} // namespace

ChildRun::ChildRun(const QString& catalogue, int runs) : m_catalogue(catalogue), m_runs(runs) {}

bool ChildRun::run()
{
    ProgramDriver program(m_catalogue);
    BareEngine bare(m_catalogue);
    RefillTimer refill;
    if (!bare.isOpen() || !program.openCatalogue() || !bare.openCatalogue()) {
        fail("the catalogue does not open");
        return false;
    }
    const int heavy = std::max(3, m_runs / 2);
    const int runs = m_runs;
    const auto add = [&](const QString& name, Kind kind, double programMs, double bareMs, double allowanceMs,
                         bool correct) {
        m_measurements.append({name, kind, programMs, bareMs, allowanceMs, correct});
        std::fprintf(stderr, "  %-28s %9.2f ms\n", qPrintable(name), programMs);
    };
    m_listSizes = ProgramDriver::listSizes();

    // One sort of the shown competitor references: part of what an opening may cost.
    const CachedList::Entries shownReferences =
        Module1::Opened().RefRows.entries(EntryRule::TrimmedAndScrambled, false);
    std::vector<QStringView> referenceTexts;
    for (qsizetype i = 0; i < shownReferences->size(); ++i)
        referenceTexts.push_back(shownReferences->at(i));
    const double sortMs = medianMs(heavy, [&] { AlphabeticalOrder::order(referenceTexts); });

    // What deriving the entries of the two long lists costs, each from a list just read.
    const auto derivingMs = [&](const QString& sql, const QVariantList& values, EntryRule rule) {
        const Result read = ::read(bare, sql, values);
        CachedList list;
        return medianMs(
            heavy, [&] { list = CachedList(read.texts, read.nulls); }, [&] { list.entries(rule, true); });
    };
    add(QStringLiteral("derive competitor references"), Kind::Info,
        derivingMs(CatalogueSql::CompetitorReferences, houseBrands(), EntryRule::TrimmedAndScrambled), NAN,
        NAN, true);
    add(QStringLiteral("derive house references"), Kind::Info,
        derivingMs(CatalogueSql::HouseReferences, {}, EntryRule::AsStored), NAN, NAN, true);

    bool opened = true;
    const PairedMedians open = pairedMediansMs(
        heavy, nullptr, [&] { opened = program.openCatalogue() && opened; }, [&] { bare.openCatalogue(); });
    const double openBareMs = open.second;
    add(QStringLiteral("OpenCatalogue"), Kind::Opening, open.first, openBareMs, sortMs, opened);
    add(QStringLiteral("sort of competitor references"), Kind::Info, sortMs, NAN, NAN, true);
    // From the end of an opening until every manufacturer's references are read ahead.
    add(QStringLiteral("manufacturers read ahead, after an opening"), Kind::Info,
        medianMs(
            heavy, [&] { program.openCatalogue(); },
            [] { Module1::Opened().manufacturerReferences().waitUntilRead(); }),
        NAN, NAN, true);

    // Search windows, each opened right after an opening as the main window does it.
    const auto openingAfter = [&](int alreadyOpen) {
        bool ok = true;
        const double ms = medianMs(
            heavy,
            [&] {
                program.closeWindows();
                program.openCatalogue();
                for (int i = 0; i < alreadyOpen; ++i)
                    program.openWindow();
            },
            [&] { ok = program.openWindow() != nullptr && ok; });
        return std::make_pair(ms, ok && program.windowCount() == alreadyOpen + 1);
    };
    const auto first = openingAfter(0);
    add(QStringLiteral("open search window"), Kind::Window, first.first, NAN, NAN, first.second);
    const auto second = openingAfter(1);
    add(QStringLiteral("open second search window"), Kind::Window, second.first, NAN, NAN, second.second);
    const auto fifth = openingAfter(4);
    add(QStringLiteral("open fifth search window"), Kind::Window, fifth.first, NAN, NAN, fifth.second);

    program.closeWindows();
    program.openCatalogue();
    Form2* window = program.openWindow();
    if (!window) {
        fail("no search window");
        return false;
    }
    // The look at the catalogue file that every lookup and new window starts with, a thousand
    // times over: one is too short for the clock.
    constexpr int kChecks = 1000;
    bool unchanged = true;
    const double checksMs = medianMs(runs, [&] {
        for (int i = 0; i < kChecks; ++i)
            unchanged = &CatalogueCheck::current(window) == &Module1::Opened() && unchanged;
    });
    add(QStringLiteral("catalogue file checked before a lookup"), Kind::Check, checksMs / kChecks, NAN, NAN,
        unchanged && Module1::Opened().opening() > 0);
    const qint64 fullReferences = ProgramDriver::combo(window, "comReferences")->count();
    // The offer indexes that a refill starts making beside the window, and the manufacturers'
    // references that an opening starts reading ahead, are made before the next timed step, which
    // times its own work alone: a user takes longer to choose a manufacturer after F2 than the
    // reading ahead takes (its own row).
    const auto settle = [] {
        Module1::Opened().offersBytes();
        Module1::Opened().manufacturerReferences().waitUntilRead();
    };

    const PairedMedians f2 = pairedMediansMs(
        heavy, settle, [&] { window->Form_KeyUp(113, 0); }, [&] { bare.openCatalogue(); });
    add(QStringLiteral("F2"), Kind::Opening, f2.first, f2.second, sortMs,
        ProgramDriver::combo(window, "comReferences")->count() == fullReferences);
    program.takeMessages();

    const auto reset = [&] {
        window->Form_KeyUp(113, 0);
        settle();
    };
    const CachedList fullRefs = Module1::Opened().RefRows;
    const CachedList fullFamilies = Module1::Opened().FamRows;
    const CachedList fullCompanies = Module1::Opened().CompRows;

    // A filter: the window back on the full lists, the boxes set as the user left them, then
    // the handler timed against the engine running the same queries. The refill is timed first,
    // before any window shows the result's entries.
    const auto timeFilter =
        [&](const QString& operation, Kind kind, const QList<RefillTimer::Refill>& refills,
            const std::function<void()>& setBoxes, const std::function<void()>& click,
            const std::function<void()>& bareQueries, const std::function<bool()>& shown) {
            reset();
            const double refillMs = refill.medianMs(runs, refills);
            const PairedMedians timed = pairedMediansMs(
                runs,
                [&] {
                    reset();
                    setBoxes();
                },
                click, bareQueries);
            const bool correct = shown() && program.takeMessages().isEmpty();
            add(operation, kind, timed.first, timed.second, refillMs, correct);
        };
    const auto setBoxes = [&](const QString& family, const QString& manufacturer) {
        return [=] {
            ProgramDriver::setText(window, "comFamilies", family);
            ProgramDriver::setText(window, "comCompanies", manufacturer);
        };
    };
    const auto references = [&] { return ProgramDriver::combo(window, "comReferences")->count(); };

    // Manufacturer alone: its references, families and family rows; refills references and families. Typed as
    // listed, and in lower case, when the queries look for the typed text and the listed manufacturer.
    const auto timeManufacturerFilter = [&](const QString& operation, const QString& typed,
                                            const QVariantList& stored) {
        const QString company = QStringLiteral("COMPANY = ?");
        // The manufacturers timed are none of the house brands.
        const QString m2 = CatalogueSql::referencesOfCompetitors(stored.size());
        const QString m3 = CatalogueSql::familiesOfManufacturers(stored.size());
        const QString m4 =
            CatalogueSql::anyOf(CatalogueSql::FamilyRowsOfManufacturer, company, stored.size());
        const Result refs = read(bare, m2, stored);
        const Result families = read(bare, m3, stored);
        timeFilter(
            operation, Kind::Filter,
            {{ListKind::CompetitorReferences, fullRefs, refs.texts, refs.nulls},
             {ListKind::Families, fullFamilies, families.texts, families.nulls}},
            setBoxes(QString(), typed), [&] { window->comCompanies_Click(); },
            [&] {
                bare.list(m2, stored);
                bare.list(m3, stored);
                bare.first(m4, stored);
            },
            [&] {
                return refs.nonNull() > 0 && references() == refs.nonNull() &&
                       ProgramDriver::combo(window, "comFamilies")->count() == families.texts.size();
            });
    };
    timeManufacturerFilter(QStringLiteral("manufacturer filter"), Manufacturer, manufacturerOnly());
    timeManufacturerFilter(QStringLiteral("manufacturer filter, lower case"), LowerCaseManufacturer,
                           storedAsTyped(LowerCaseManufacturer, Manufacturer));

    // Family alone: its references and manufacturers, and the family as stored; refills manufacturers and
    // references. Typed as listed, and in other case with accents.
    const auto timeFamilyFilter = [&](const QString& operation, const QString& family) {
        const Result refs = read(bare, CatalogueSql::ReferencesInFamilyByMaker, familyAlone(family));
        const Result companies = read(bare, CatalogueSql::ManufacturersOfFamily, familyAlone(family));
        timeFilter(
            operation, Kind::Filter,
            {{ListKind::Manufacturers, fullCompanies, companies.texts, companies.nulls},
             {ListKind::CompetitorReferences, fullRefs, refs.texts, refs.nulls}},
            setBoxes(family, QString()), [&] { window->comFamilies_Click(); },
            [&] {
                bare.list(CatalogueSql::ReferencesInFamilyByMaker, familyAlone(family));
                bare.list(CatalogueSql::ManufacturersOfFamily, familyAlone(family));
                bare.first(CatalogueSql::FamilyNamed, familyOnly(family));
            },
            [&] {
                return refs.nonNull() > 0 && references() == refs.nonNull() &&
                       ProgramDriver::combo(window, "comCompanies")->count() == companies.nonNull();
            });
    };
    timeFamilyFilter(QStringLiteral("family filter"), Family);
    timeFamilyFilter(QStringLiteral("family filter, accented capitals"), AccentedFamily);

    // Both: a manufacturer chosen, then a family, and the other way round.
    // The refill starts from the list the first choice left.
    {
        const Result byManufacturer = read(bare, CatalogueSql::ReferencesOfManufacturer, manufacturerAlone());
        const Result refs =
            read(bare, CatalogueSql::ReferencesOfManufacturerInFamily, manufacturerInFamily());
        timeFilter(
            QStringLiteral("manufacturer, then family"), Kind::Lookup,
            {{ListKind::CompetitorReferences, CachedList(byManufacturer.texts, byManufacturer.nulls),
              refs.texts, refs.nulls}},
            [&] {
                setBoxes(QString(), Manufacturer)();
                window->comCompanies_Click();
                ProgramDriver::setText(window, "comFamilies", Family);
            },
            [&] { window->comFamilies_Click(); },
            [&] {
                bare.list(CatalogueSql::ReferencesOfManufacturerInFamily, manufacturerInFamily());
                bare.first(CatalogueSql::FamilyNamed, familyOnly());
            },
            [&] { return references() == refs.nonNull(); });
    }
    {
        const Result byFamily = read(bare, CatalogueSql::ReferencesInFamilyByMaker, familyAlone());
        const Result refs =
            read(bare, CatalogueSql::ReferencesOfManufacturerInFamily, manufacturerInFamily());
        timeFilter(
            QStringLiteral("family, then manufacturer"), Kind::Lookup,
            {{ListKind::CompetitorReferences, CachedList(byFamily.texts, byFamily.nulls), refs.texts,
              refs.nulls}},
            [&] {
                setBoxes(Family, QString())();
                window->comFamilies_Click();
                ProgramDriver::setText(window, "comCompanies", Manufacturer);
            },
            [&] { window->comCompanies_Click(); },
            [&] {
                bare.list(CatalogueSql::ReferencesOfManufacturerInFamily, manufacturerInFamily());
                bare.list(CatalogueSql::FamiliesOfManufacturer, manufacturerOnly());
                bare.first(CatalogueSql::FamilyRowsOfManufacturer, manufacturerOnly());
            },
            [&] { return references() == refs.nonNull(); });
    }

    // A lookup that shows a product, timed as the user waits for it: from Enter in its box to the
    // product panel painted. The typed text and what it leaves to paint come before the key.
    KeyToPanel panel(window);
    const auto timeProductLookup = [&](const QString& operation, const char* box, const QString& typed,
                                       const std::function<void()>& bareQueries,
                                       const std::function<bool()>& shown) {
        bool painted = true;
        const PairedMedians timed = pairedMediansMs(
            runs,
            [&] {
                ProgramDriver::setText(window, box, typed);
                QCoreApplication::processEvents();
            },
            [&] { painted = panel.pressEnter(box) && painted; }, bareQueries);
        add(operation, Kind::Panel, timed.first, timed.second, NAN, painted && shown());
    };

    // A competitor reference resolved to its house product, photo and all: typed as listed, in
    // lower case (the resolution looks for the typed text and the listed reference), and with blanks for its
    // separators (the resolution finds nothing, then the one reference it can be is looked up).
    reset();
    const auto timeResolution = [&](const QString& operation, const QString& typed,
                                    const std::function<void()>& competitorRow) {
        timeProductLookup(
            operation, "comReferences", typed,
            [&] {
                competitorRow();
                bare.first(CatalogueSql::HouseEquivalent, houseEquivalent());
                bare.first(CatalogueSql::ByReference, houseByReference());
            },
            [&] {
                return ProgramDriver::text(window, "CbxRef") == HouseReference &&
                       ProgramDriver::text(window, "lblQuiro") == HouseReference + QLatin1Char(' ') &&
                       !window->photoPreviewPath().isEmpty() &&
                       bare.first(CatalogueSql::HouseEquivalent, houseEquivalent()) &&
                       program.takeMessages().isEmpty();
            });
    };
    const QString lowerCaseR1 = CatalogueSql::anyOf(CatalogueSql::CompetitorReferenceRows,
                                                    QStringLiteral("RELATIONS.REFERENCE = ?"), 2);
    timeResolution(QStringLiteral("competitor reference resolved"), CompetitorReference,
                   [&] { bare.first(CatalogueSql::CompetitorReferenceRows, competitorReference()); });
    timeResolution(
        QStringLiteral("competitor reference resolved, lower case"), LowerCaseCompetitorReference,
        [&] { bare.first(lowerCaseR1, storedAsTyped(LowerCaseCompetitorReference, CompetitorReference)); });
    timeResolution(QStringLiteral("competitor reference resolved, blanks for separators"),
                   SpokenCompetitorReference, [&] {
                       bare.first(CatalogueSql::CompetitorReferenceRows,
                                  {ScrambleText(SpokenCompetitorReference)});
                       bare.first(CatalogueSql::CompetitorReferenceRows, competitorReference());
                   });

    // The house lookups that show a product: a reference is shown whole, a description holds the
    // typed text.
    const auto timeProductShown = [&](const QString& operation, const char* box, const QString& typed,
                                      const QString& sql, const QVariantList& values) {
        timeProductLookup(
            operation, box, typed, [&] { bare.first(sql, values); },
            [&] {
                const QString shown = ProgramDriver::text(window, box);
                const bool whole = qstrcmp(box, "CbxRef") == 0;
                return (whole ? shown.compare(typed, Qt::CaseInsensitive) == 0
                              : shown.contains(typed, Qt::CaseInsensitive)) &&
                       bare.first(sql, values) && program.takeMessages().isEmpty();
            });
    };
    timeProductShown(QStringLiteral("house lookup by reference"), "CbxRef", HouseReference,
                     CatalogueSql::ByReference, houseByReference());
    timeProductShown(QStringLiteral("house lookup by description"), "CbxDesc", Description,
                     CatalogueSql::ByDescription, houseByDescription());
    timeProductShown(QStringLiteral("house lookup by reference, accented capitals"), "CbxRef",
                     AccentedReference, CatalogueSql::ByReference, houseByReference(AccentedReference));
    timeProductShown(QStringLiteral("house lookup by description, accented capitals"), "CbxDesc",
                     AccentedDescription, CatalogueSql::ByDescription,
                     houseByDescription(AccentedDescription));
    // Read out with blanks for separators: the typed text finds nothing, then the one house
    // reference it can be is looked up.
    {
        const QVariantList spoken = houseByReference(SpokenHouseReference);
        timeProductLookup(
            QStringLiteral("house lookup by reference, blanks for separators"), "CbxRef",
            SpokenHouseReference,
            [&] {
                bare.first(CatalogueSql::ByReference, spoken);
                bare.first(CatalogueSql::ByReference, houseByReference());
            },
            [&] {
                return ProgramDriver::text(window, "CbxRef") == HouseReference &&
                       !bare.first(CatalogueSql::ByReference, spoken) && program.takeMessages().isEmpty();
            });
    }

    // Nothing found: the handler alone, as the message it shows is answered by the test desktop.
    const auto timeNoneFound = [&](const QString& operation, const char* box, const QString& typed,
                                   void (Form2::*lookup)(), const QString& message, const QString& sql,
                                   const QVariantList& values) {
        const PairedMedians timed = pairedMediansMs(
            runs, [&] { ProgramDriver::setText(window, box, typed); }, [&] { (window->*lookup)(); },
            [&] { bare.first(sql, values); });
        const QStringList messages = program.takeMessages();
        add(operation, Kind::Lookup, timed.first, timed.second, 0,
            !messages.isEmpty() && messages.count(message) == messages.size() && !bare.first(sql, values));
    };
    timeNoneFound(QStringLiteral("house lookup by reference, accented, none found"), "CbxRef",
                  MissingAccentedReference, &Form2::CbxRef_Click, QString::fromUtf8("Referência não existe"),
                  CatalogueSql::ByReference, houseByReference(MissingAccentedReference));
    timeNoneFound(QStringLiteral("house lookup by description, accented, none found"), "CbxDesc",
                  MissingAccentedDescription, &Form2::CbxDesc_Click,
                  QString::fromUtf8("Nenhum produto encontrado com essa descrição"),
                  CatalogueSql::ByDescription, houseByDescription(MissingAccentedDescription));

    // The indexes that find the entries a whole typed text names, made once for each full list.
    {
        const CachedList::Entries competitor = fullRefs.entries(EntryRule::TrimmedAndScrambled, true);
        const CachedList::Entries house = Module1::Opened().HouseRefRows.entries(EntryRule::AsStored, true);
        const auto timeIndex = [&](const QString& name, const CachedList::Entries& entries,
                                   EntryIndex::Key key) {
            add(name, Kind::Info, medianMs(heavy, [&] { EntryIndex made(entries, key); }), NAN, NAN, true);
        };
        timeIndex(QStringLiteral("match index, competitor references"), competitor,
                  EntryIndex::Key::LetterCase);
        timeIndex(QStringLiteral("match index, competitor references, separators aside"), competitor,
                  EntryIndex::Key::LetterCaseAndSeparators);
        timeIndex(QStringLiteral("match index, house references, separators aside"), house,
                  EntryIndex::Key::LetterCaseAndSeparators);
    }

    // Offers while typing, on the full lists.
    reset();
    program.takeMessages();
    m_measurements.append(OfferRun::measure(window, runs));
    return program.takeMessages().isEmpty();
}
