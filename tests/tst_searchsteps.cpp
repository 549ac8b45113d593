#include "TestProgram.h"
#include "base/ScrambleText.h"
#include "catalogue/CrossReferenceSearch.h"
#include "catalogue/HouseLookup.h"
#include "catalogue/Module1.h"

#include <QTest>

// The steps of the searches as the engine answers the search window: the filters' lists in their
// order, the shared lists they replace, the resolution and the house lookups, with the message
// each ends with; letter case and separators aside where the lookups allow it.
class TestSearchSteps : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filters_data();
    void filters();
    void filtersReplaceTheSharedListsOnlyWithRows();
    void resolution_data();
    void resolution();
    void houseLookups_data();
    void houseLookups();

private:
    std::unique_ptr<TestProgram> m_program;
};

namespace {

const QString kNoReference = QString::fromUtf8("Referência não existe");
const QStringList kAllFamilies{QString::fromUtf8("Caixas d'água"), "Disjuntores", "Tomadas"};

QStringList shown(const BoxList& list)
{
    return list.entries ? list.entries->toStringList() : QStringList();
}

QStringList shownStored(const CachedList& list)
{
    QStringList texts;
    for (qsizetype i = 0; i < list.size(); ++i)
        texts.append(ScrambleText(list.at(i)));
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
    // The other box's new list, in any order (the engine's own); "-" when it keeps its own.
    QTest::addColumn<QStringList>("refilled");

    const QStringList keeps{"-"};
    const QStringList eletramax{"DUP-1", "ELX-20", "ELX-32", "ELX-T10", "QA-1"};
    QTest::newRow("manufacturer") << true << "ELETRAMAX"
                                  << ""
                                  << "" << eletramax << kAllFamilies;
    QTest::newRow("manufacturer in lower case") << true << "eletramax"
                                                << ""
                                                << "" << eletramax << kAllFamilies;
    QTest::newRow("old house references") << true << "VESTRAL (Ref. Antiga)"
                                          << ""
                                          << "" << QStringList{"OLD-100"} << QStringList{"Disjuntores"};
    QTest::newRow("house brand lists nothing") << true << "QV"
                                               << ""
                                               << "" << QStringList() << kAllFamilies;
    QTest::newRow("manufacturer in a family") << true << "VOLTRIX"
                                              << "Tomadas"
                                              << "" << QStringList{"DUP-1", "VTX-T10", "VTX-T20"} << keeps;
    QTest::newRow("no such manufacturer")
        << true << "Nenhum"
        << "" << QString::fromUtf8("Fabricante não existe") << QStringList() << keeps;
    QTest::newRow("separators count in a manufacturer")
        << true << "ELETRA-MAX"
        << "" << QString::fromUtf8("Fabricante não existe") << QStringList() << keeps;

    const QStringList disjuntores{"DUP-1", "ELX-20", "ELX-32", "OLD-100", "VTX-20"};
    const QStringList makers{"ELETRAMAX", "VESTRAL (Ref. Antiga)", "VOLTRIX"};
    QTest::newRow("family") << false << ""
                            << "Disjuntores"
                            << "" << disjuntores << makers;
    QTest::newRow("family in capitals") << false << ""
                                        << "DISJUNTORES"
                                        << "" << disjuntores << makers;
    QTest::newRow("family with a quote") << false << "" << QString::fromUtf8("caixas d'ÁGUA") << ""
                                         << QStringList{"QA-1"} << QStringList{"ELETRAMAX"};
    QTest::newRow("family of a manufacturer") << false << "voltrix"
                                              << "Disjuntores"
                                              << "" << QStringList{"VTX-20"} << keeps;
    QTest::newRow("accents count in a family")
        << false << ""
        << "caixas d'agua" << QString::fromUtf8("Familia não existe") << QStringList() << keeps;
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
    const bool refills = refilled != QStringList{"-"};
    QCOMPARE(byManufacturer ? filtered.refillsFamilies : filtered.refillsManufacturers, refills);
    if (refills) {
        QStringList other = shown(byManufacturer ? filtered.families : filtered.manufacturers);
        other.sort();
        QCOMPARE(other, refilled);
    }
}

// A result with rows replaces its shared list, which later windows start from; every result
// sets the count of its rows.
void TestSearchSteps::filtersReplaceTheSharedListsOnlyWithRows()
{
    Catalogue& catalogue = Module1::Opened();
    CrossReferenceSearch::FilterByManufacturer(catalogue, "VOLTRIX", "");
    QStringList voltrix = shownStored(catalogue.RefRows);
    voltrix.sort();
    QCOMPARE(voltrix, QStringList({"DUP-1", "ORF-1", "VTX-20", "VTX-T10", "VTX-T20"}));
    QCOMPARE(catalogue.FamRows.size(), 2);
    QCOMPARE(catalogue.RecCount.toInt(), 2);

    CrossReferenceSearch::FilterByManufacturer(catalogue, "VOLTRIX", QString::fromUtf8("Caixas d'água"));
    QCOMPARE(shownStored(catalogue.RefRows).size(), 5);
    QCOMPARE(catalogue.RecCount.toInt(), 2);

    CrossReferenceSearch::FilterByFamily(catalogue, "", "Tomadas");
    QCOMPARE(catalogue.CompRows.size(), 2);
    QCOMPARE(catalogue.OpenedCompRows.size(), 3);
}

void TestSearchSteps::resolution_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("houseReference");
    QTest::addColumn<QStringList>("competitor"); // family, manufacturer, notes
    QTest::addColumn<QString>("message");
    const QStringList elx20{"Disjuntores", "ELETRAMAX", "Equivale com adaptador"};
    QTest::newRow("as listed") << "ELX-20"
                               << ""
                               << "KV-100" << elx20 << "";
    QTest::newRow("lower case") << "elx-20"
                                << ""
                                << "KV-100" << elx20 << "";
    QTest::newRow("blanks for separators") << "elx 20"
                                           << "ELX-20"
                                           << "KV-100" << elx20 << "";
    QTest::newRow("equivalent of the second house brand")
        << "ELX-32"
        << ""
        << "KV-101" << QStringList{"Disjuntores", "ELETRAMAX", ""} << "";
    QTest::newRow("reference of two manufacturers: the first stored")
        << "DUP-1"
        << ""
        << "KV-200" << QStringList{"Disjuntores", "ELETRAMAX", ""} << "";
    QTest::newRow("no house equivalent") << "ELX-T10"
                                         << ""
                                         << "" << QStringList{"Tomadas", "ELETRAMAX", ""} << kNoReference;
    QTest::newRow("no such reference") << "ELX-99"
                                       << ""
                                       << "" << QStringList() << kNoReference;
}

void TestSearchSteps::resolution()
{
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    QFETCH(QString, houseReference);
    QFETCH(QStringList, competitor);
    QFETCH(QString, message);
    const CrossReferenceSearch::Resolution resolution =
        CrossReferenceSearch::ResolveCompetitorReference(Module1::Opened(), typed);
    QCOMPARE(resolution.entry, entry);
    QCOMPARE(resolution.message, message);
    QCOMPARE(resolution.referenceFound, !competitor.isEmpty());
    if (resolution.referenceFound)
        QCOMPARE(QStringList({resolution.family, resolution.company, resolution.notes}), competitor);
    QCOMPARE(resolution.equivalentFound, !houseReference.isEmpty());
    QCOMPARE(resolution.houseReference, houseReference);
}

void TestSearchSteps::houseLookups_data()
{
    QTest::addColumn<bool>("byReference"); // else by description
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("found"); // the product's reference; empty when none
    QTest::newRow("first reference that begins so") << true << "KV-10"
                                                    << ""
                                                    << "KV-100";
    QTest::newRow("reference in lower case") << true << "kv-101"
                                             << ""
                                             << "KV-101";
    QTest::newRow("reference without its quotes") << true << "KV-'10"
                                                  << ""
                                                  << "KV-100";
    QTest::newRow("reference with blanks for separators") << true << "kv 1000"
                                                          << "KV-1000"
                                                          << "KV-1000";
    QTest::newRow("underscore stands for any character") << true << "A_B"
                                                         << ""
                                                         << "AXB1";
    QTest::newRow("no such reference") << true << "KV-9"
                                       << ""
                                       << "";
    QTest::newRow("description, trimmed, any case") << false << "  TOMADA 2P"
                                                    << ""
                                                    << "KV-200";
    QTest::newRow("description keeps its quote") << false << "boia d'"
                                                 << ""
                                                 << "KV-D'AGUA";
    QTest::newRow("no such description") << false << "lâmpada"
                                         << ""
                                         << "";
}

void TestSearchSteps::houseLookups()
{
    QFETCH(bool, byReference);
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    QFETCH(QString, found);
    HouseLookup::Found lookup;
    if (byReference)
        lookup = HouseLookup::FindByReference(Module1::Opened(), typed);
    else
        lookup.product = HouseLookup::FindByDescription(Module1::Opened(), typed);
    QCOMPARE(lookup.entry, entry);
    QVERIFY(lookup.product.isOpen());
    QCOMPARE(lookup.product.eof(), found.isEmpty());
    QCOMPARE(lookup.product.field("REFERENCIA").toString(), found);
}

QTEST_GUILESS_MAIN(TestSearchSteps)
#include "tst_searchsteps.moc"
