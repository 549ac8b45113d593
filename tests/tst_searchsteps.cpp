#include "TestProgram.h"
#include "catalogue/opened/CrossReferenceSearch.h"
#include "catalogue/opened/HouseLookup.h"
#include "catalogue/opened/Module1.h"

#include <QTest>

// The steps of the searches as the engine answers the search window, without a window: the
// filters' lists in their order and the shared lists they replace, the resolution and the house
// lookups, each with the entry it took the typed text for and the message it ends with.
class TestSearchSteps : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filters_data();
    void filters();
    void filtersReplaceTheSharedListsOnlyWithRows();
    void lookups_data();
    void lookups();

private:
    std::unique_ptr<TestProgram> m_program;
};

namespace {

const QString kNoReference = QString::fromUtf8("Referência não existe");

QStringList shown(const BoxList& list, bool sorted = false)
{
    const CachedList::Entries entries = list.entries.get();
    QStringList texts = entries ? entries->toStringList() : QStringList();
    if (sorted)
        texts.sort();
    return texts;
}

} // namespace

void TestSearchSteps::init()
{
    m_program = std::make_unique<TestProgram>();
    QVERIFY(m_program->openStandardCatalogue());
}

void TestSearchSteps::cleanup()
{
    m_program.reset();
}

void TestSearchSteps::filters_data()
{
    QTest::addColumn<bool>("byManufacturer"); // else by family
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("references");
    // The other box's new list, in the engine's own order; "-" when the box keeps its own.
    QTest::addColumn<QStringList>("refilled");
    struct Row
    {
        const char* name;
        bool byManufacturer;
        const char* manufacturer;
        const char* family;
        const char* message;
        const char* references; // "|" between entries
        const char* refilled;
    };
    const Row rows[] = {
        {"manufacturer in lower case", true, "eletramax", "", "", "DUP-1|ELX-20|ELX-32|ELX-T10|QA-1",
         "Caixas d'água|Disjuntores|Tomadas"},
        {"manufacturer in a family", true, "VOLTRIX", "Tomadas", "", "DUP-1|VTX-T10|VTX-T20", "-"},
        {"separators count in a manufacturer", true, "ELETRA-MAX", "", "Fabricante não existe", "", ""},
        {"family in capitals", false, "", "DISJUNTORES", "", "DUP-1|ELX-20|ELX-32|OLD-100|VTX-20",
         "ELETRAMAX|VESTRAL (Ref. Antiga)|VOLTRIX"},
        {"family of a manufacturer", false, "voltrix", "Disjuntores", "", "VTX-20", "-"},
        {"family without its accents", false, "", "caixas d'agua", "", "QA-1", "ELETRAMAX"},
    };
    const auto list = [](const char* texts) {
        return QString::fromUtf8(texts).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    };
    for (const Row& row : rows) {
        QTest::newRow(row.name) << row.byManufacturer << QString::fromUtf8(row.manufacturer)
                                << QString::fromUtf8(row.family) << QString::fromUtf8(row.message)
                                << list(row.references) << list(row.refilled);
    }
}

void TestSearchSteps::filters()
{
    QFETCH(bool, byManufacturer);
    QFETCH(QString, manufacturer);
    QFETCH(QString, family);
    QFETCH(QString, message);
    QFETCH(QStringList, references);
    QFETCH(QStringList, refilled);
    Catalogue& catalogue = Module1::Opened();
    const CrossReferenceSearch::Filtered filtered =
        byManufacturer ? CrossReferenceSearch::FilterByManufacturer(catalogue, manufacturer, family)
                       : CrossReferenceSearch::FilterByFamily(catalogue, manufacturer, family);
    QCOMPARE(filtered.message, message);
    if (!message.isEmpty())
        return;
    QCOMPARE(shown(filtered.references), references);
    QCOMPARE(filtered.references.match, OfferMatch::Beginning);
    QCOMPARE(byManufacturer ? filtered.refillsFamilies : filtered.refillsManufacturers,
             refilled != QStringList{"-"});
    if (refilled != QStringList{"-"})
        QCOMPARE(shown(byManufacturer ? filtered.families : filtered.manufacturers, true), refilled);
}

// A result with rows replaces its shared list, which later windows start from; every result
// sets the count of its rows.
void TestSearchSteps::filtersReplaceTheSharedListsOnlyWithRows()
{
    Catalogue& catalogue = Module1::Opened();
    CrossReferenceSearch::FilterByManufacturer(catalogue, "VOLTRIX", "");
    QCOMPARE(catalogue.RefRows.size(), 5);
    QCOMPARE(catalogue.FamRows.at(0), QStringLiteral("Disjuntores"));
    QCOMPARE(catalogue.RecCount.toInt(), 2);
    CrossReferenceSearch::FilterByManufacturer(catalogue, "VOLTRIX", QString::fromUtf8("Caixas d'água"));
    QCOMPARE(catalogue.RefRows.size(), 5);
    QCOMPARE(catalogue.RecCount.toInt(), 2);
    QCOMPARE(catalogue.OpenedRefRows.size(), 11);
}

void TestSearchSteps::lookups_data()
{
    // "comReferences": the resolution; "CbxRef" and "CbxDesc": the house lookups.
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("found"); // the house reference; empty when none
    QTest::addColumn<QString>("message");
    struct Row
    {
        const char* name;
        const char* box;
        const char* typed;
        const char* entry;
        const char* found;
        bool missing; // ends with "Referência não existe"
    };
    const Row rows[] = {
        {"competitor reference, blanks for separators", "comReferences", "elx 20", "ELX-20", "KV-100", false},
        {"equivalent of the second house brand", "comReferences", "ELX-32", "", "KV-101", false},
        {"no house equivalent", "comReferences", "ELX-T10", "", "", true},
        {"no such competitor reference", "comReferences", "ELX-99", "", "", true},
        {"reference without its quotes", "CbxRef", "KV-'10", "", "KV-100", false},
        {"reference with its quote", "CbxRef", "kv-d'agua", "", "KV-D'AGUA", false},
        {"reference with blanks for separators", "CbxRef", "kv 1000", "KV-1000", "KV-1000", false},
        {"reference beginning, separators aside", "CbxRef", "kv 20", "KV-200", "KV-200", false},
        {"description without its accents", "CbxDesc", "rele", "Relé térmico", "KV-300 ", false},
        {"no such description", "CbxDesc", "lâmpada", "", "", false},
    };
    for (const Row& row : rows) {
        QTest::newRow(row.name) << QString::fromUtf8(row.box) << QString::fromUtf8(row.typed)
                                << QString::fromUtf8(row.entry) << QString::fromUtf8(row.found)
                                << (row.missing ? kNoReference : QString());
    }
}

void TestSearchSteps::lookups()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    QFETCH(QString, found);
    QFETCH(QString, message);
    Catalogue& catalogue = Module1::Opened();
    if (box == "comReferences") {
        const CrossReferenceSearch::Resolution resolution =
            CrossReferenceSearch::ResolveCompetitorReference(catalogue, typed);
        QCOMPARE(resolution.entry, entry);
        QCOMPARE(resolution.houseReference, found);
        QCOMPARE(resolution.equivalentFound, !found.isEmpty());
        QCOMPARE(resolution.message, message);
        return;
    }
    const HouseLookup::Found lookup = box == "CbxRef" ? HouseLookup::FindByReference(catalogue, typed)
                                                      : HouseLookup::FindByDescription(catalogue, typed);
    QCOMPARE(lookup.entry, entry);
    QVERIFY(lookup.product.isOpen());
    QCOMPARE(lookup.product.field("REFERENCIA").toString(), found);
}

QTEST_GUILESS_MAIN(TestSearchSteps)
#include "tst_searchsteps.moc"
